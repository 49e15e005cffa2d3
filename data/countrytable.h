#pragma once

#include <QByteArrayView>

#include <cstddef>
#include <memory>

// The fixed list of countries the dialogs offer: code ("letters") and name.
//
// Loaded once from the country list built into the program
// (ResourceFiles::kCountryList). Rows are stored in one block that never
// moves, so callers may keep a row's pointers for the whole run. A single
// cursor walks the rows (GetFirst, then GetNext).
class CCountryTable
{
public:
    static constexpr int kMaxRows = 250;

    CCountryTable() = default;
    CCountryTable(const CCountryTable &) = delete;
    CCountryTable &operator=(const CCountryTable &) = delete;

    // Loads the program's own country list. True when loaded (now or before).
    bool Load();
    // Loads from the given text instead; for tests and for other lists.
    bool Load(QByteArrayView text);

    bool GetFirst(const char **code, const char **name);
    bool GetNext(const char **code, const char **name);

    bool IsLoaded() const { return m_loaded; }
    int Count() const { return m_count; }

    // Frees the rows; the table is then empty and not loaded.
    void Release();

private:
    struct Row {
        const char *code;
        const char *name;
    };
    std::unique_ptr<char[]> m_strings;
    std::unique_ptr<Row[]> m_rows;
    bool m_loaded = false;
    int m_count = 0;
    int m_cursor = 0;
};
