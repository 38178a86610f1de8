#pragma once
// List view in report mode: a header of columns and one row per item, with the optional grid
// lines, check boxes and full-row selection of its extended style. Items keep their text even
// while the list has no column to show it in.
#include "framework/Wnd.h"

#include <cstdint>
#include <functional>
#include <string>

namespace fw {

class ListCtrl : public Wnd {
    FW_DECLARE_DYNAMIC(ListCtrl)
public:
    // Extended style bits.
    static constexpr uint32_t ExGridLines = 0x01;
    static constexpr uint32_t ExCheckBoxes = 0x04;
    static constexpr uint32_t ExFullRowSelect = 0x20;

    ListCtrl();
    ~ListCtrl() override;

    // style: CtlStyle bits (Report, SingleSel, EditLabels, Border, TabStop); rect in the
    // parent's client coordinates.
    bool Create(uint32_t style, const Rect& rect, Wnd* parent, uint32_t id);
    uint32_t Style() const { return m_style; }

    // Inserts a column before column; width -1 takes the header's default. Returns its index.
    int InsertColumn(int column, const std::string& heading, int width = -1);
    int GetColumnCount() const;
    int GetColumnWidth(int column) const;
    std::string GetColumnHeading(int column) const;

    // Inserts an item (a row) at row, clamped to the list; returns its index.
    int InsertItem(int row, const std::string& text);
    bool DeleteAllItems();
    int GetItemCount() const;
    std::string GetItemText(int row, int column) const;
    bool SetItemText(int row, int column, const std::string& text);

    uint32_t GetExtendedStyle() const { return m_exStyle; }
    uint32_t SetExtendedStyle(uint32_t exStyle); // returns the previous one

    bool GetCheck(int row) const;
    // False without check boxes or for a row that is not there.
    bool SetCheck(int row, bool checked);

    // Decides on an edited label: true keeps the new text. Without a handler every edit is
    // dropped and the label keeps its old text.
    void SetEndLabelEditHandler(std::function<bool(int row, const std::string& text)> handler);
    bool EndLabelEdit(int row, const std::string& text) const;

private:
    uint32_t m_style = 0;
    uint32_t m_exStyle = 0;
    std::function<bool(int, const std::string&)> m_endLabelEdit;
};

} // namespace fw
