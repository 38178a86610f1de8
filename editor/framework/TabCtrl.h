#pragma once
// Tab control: a strip of tabs over (or under) a framed display area. The pages are separate
// windows that the owner shows and hides when the selection changes.
#include <QWidget>

#include <cstdint>

class QTabBar;

namespace fw {

class TabCtrl : public QWidget {
    Q_OBJECT
public:
    // style: CtlStyle bits (TabsBottom, HotTrack, RaggedRight, ToolTips, TabStop).
    explicit TabCtrl(uint32_t style, QWidget* parent = nullptr);

    uint32_t Style() const { return m_style; }

    // Inserts a text-only tab at position (clamped); returns its index.
    int InsertItem(int position, const QString& text);
    int GetItemCount() const;
    QString GetItemText(int index) const;
    int GetCurSel() const;    // -1 without tabs
    int SetCurSel(int index); // returns the previous selection; sends no notification
    QTabBar* TabBar() const { return m_bar; }
    QRect TabStripRect() const; // where the tabs are, in this control's coordinates

signals:
    // The user changed the selection (mouse or keyboard).
    void selChange();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void LayoutStrip();

    uint32_t m_style = 0;
    QTabBar* m_bar = nullptr;
    bool m_quiet = false; // selection changed by code, not by the user
};

} // namespace fw
