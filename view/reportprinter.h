#pragma once

#include "data/reflectorlist.h"
#include "view/core/printlayout.h"

#include <QFont>
#include <QString>

#include <functional>
#include <optional>

class CDocView;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// The rows to print, in the list's current order. The count is read once,
// when a job starts; a row that has gone by the time its page is drawn
// answers null.
struct ReportRows {
    std::function<int()> count;
    std::function<const CReflector *(int row)> at;

    static ReportRows FromView(const CDocView &view);
    static ReportRows FromList(const ReflectorList &list);
};

// Draws the reflector list as a plain report: a header with the title,
// the page label and a rule, then two lines per reflector in a fixed-pitch
// font, every other entry on a band. The same steps serve the printer, the
// preview and PDF files; all lengths are the device's own pixels.
class CReportPrinter
{
public:
    CReportPrinter(QString title, ReportRows rows);

    // The document's title, in every page's header.
    const QString &Title() const { return m_strTitle; }

    // Job start: fonts and metrics measured on `device`; answers the page count.
    int BeginPrinting(const QPaintDevice &device);
    // One page (from 1): header, then body. Only between begin and end.
    void PrintPage(QPainter &painter, int page) const;
    // Job end: the fonts are released.
    void EndPrinting();

    // A whole job on `device`, printing the pages its page ranges ask for
    // (all when none). On failure answers false with the reason in `error`;
    // a job the progress callback cancelled answers false with no reason.
    bool Print(QPagedPaintDevice &device, QString *error = nullptr);

    // Called after each page with the pages done and the pages to do;
    // answering false cancels the job.
    using Progress = std::function<bool(int done, int total)>;
    void SetProgress(Progress progress) { m_progress = std::move(progress); }

    const CPrintLayout &Layout() const { return m_layout; }

    // "Courier New" at 10 points for a device of `dpiY` dots per inch; a
    // typewriter hint and fixed pitch let the font system pick a
    // metric-compatible face where Courier New is missing.
    static QFont ReportFont(int dpiY, bool bold);

private:
    void PrintHeader(QPainter &painter, int page) const;
    void PrintBody(QPainter &painter, int page) const;

    QString m_strTitle;
    ReportRows m_rows;
    CPrintLayout m_layout;
    std::optional<QFont> m_fontNormal;
    std::optional<QFont> m_fontBold;
    const QPaintDevice *m_pDevice = nullptr;
    Progress m_progress;
};
