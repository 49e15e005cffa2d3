#include "app/fadedicon.h"

#include <QIconEngine>
#include <QPainter>

namespace {

constexpr qreal kDisabledOpacity = 0.35;

class CFadedIconEngine : public QIconEngine
{
public:
    explicit CFadedIconEngine(QIcon icon) : m_icon(std::move(icon)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->save();
        if (mode == QIcon::Disabled)
            painter->setOpacity(painter->opacity() * kDisabledOpacity);
        m_icon.paint(painter, rect, Qt::AlignCenter, ShownMode(mode), state);
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        const QPixmap shown = m_icon.pixmap(size, scale, ShownMode(mode), state);
        if (mode != QIcon::Disabled || shown.isNull())
            return shown;
        QPixmap faded(shown.size());
        faded.setDevicePixelRatio(shown.devicePixelRatio());
        faded.fill(Qt::transparent);
        QPainter painter(&faded);
        painter.setOpacity(kDisabledOpacity);
        painter.drawPixmap(0, 0, shown);
        return faded;
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return m_icon.actualSize(size, ShownMode(mode), state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return m_icon.availableSizes(ShownMode(mode), state);
    }
    QString iconName() override { return m_icon.name(); }
    bool isNull() override { return m_icon.isNull(); }
    QIconEngine *clone() const override { return new CFadedIconEngine(m_icon); }

private:
    static QIcon::Mode ShownMode(QIcon::Mode mode) { return mode == QIcon::Disabled ? QIcon::Normal : mode; }

    QIcon m_icon;
};

} // namespace

QIcon FadedWhenDisabled(const QIcon &icon)
{
    return icon.isNull() ? icon : QIcon(new CFadedIconEngine(icon));
}
