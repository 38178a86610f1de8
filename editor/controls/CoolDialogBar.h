#pragma once
// A docking control bar that hosts one modeless dialog, with a sizing edge that changes its
// docked width or height, a gripper with a close and a float button, and a floating size of its
// own. Docking, floating and dragging are the frame's dock machinery (Qt's dock areas).
#include "controls/CoolDialogBarGeometry.h"
#include "framework/ControlBar.h"
#include "framework/Dialog.h"
#include "framework/FrameWnd.h"

#include <QColor>
#include <QDockWidget>
#include <QPointer>

#include <memory>

class CoolDialogBarTracker;

class CoolDialogBar : public QDockWidget, public fw::ControlBar {
    Q_OBJECT
public:
    CoolDialogBar();
    ~CoolDialogBar() override;

    // Makes the bar a child of parent hosting dialog, built from template templateId, with
    // control id controlId. style: WinStyle and BarStyle bits (the fixed and dynamic size
    // flags together are a caller error). False when the dialog cannot be built.
    virtual bool Create(fw::FrameWnd* parent, fw::Dialog* dialog, const QString& title, uint32_t templateId,
                        uint32_t controlId, uint32_t style);

    // Size in a fixed layout; see cool::FixedLayout.
    QSize CalcFixedLayout(bool stretch, bool horizontal) const;
    // Size query with fw::LayoutMode bits. Docking modes re-lay out the frame and answer the
    // fixed layout; while floating a length query sets the floating width (or height, with
    // LengthY), never below the minimum size.
    QSize CalcDynamicLayout(int length, uint32_t mode);

    uint32_t GetBarStyle() const override { return m_barStyle; }
    void SetBarStyle(uint32_t style) override { m_barStyle = style; }
    uint32_t GetDlgCtrlID() const override { return m_controlId; }
    void OnUpdateCmdUI(fw::CmdTarget* target, bool disableIfNoHandler) override;
    // The horizontal, vertical and floating sizes, which the user changes with the sizing
    // edge and the floating frame's corners.
    QByteArray SaveSizes() const override;
    // Refuses sizes below the minimum size or beyond any screen.
    bool LoadSizes(const QByteArray& sizes) override;
    void EnableDocking(uint32_t alignment);

    // Floats a docked bar at its floating size, or docks a floating one where it was.
    void ToggleDocking();

    fw::Dialog* HostedDialog() const { return m_dialog; }
    uint32_t DockBarId() const { return m_dockBarId; }
    cool::DockSide Side() const { return cool::DockSideOf(m_dockBarId); }
    bool IsHorz() const { return cool::IsHorizontal(Side()); }

    QSize MinimumSize() const { return m_minSize; }
    QSize HorizontalSize() const { return m_horzSize; }
    QSize VerticalSize() const { return m_vertSize; }
    QSize FloatingSize() const { return m_floatSize; }

    // Rectangles in window coordinates: the whole bar while docked, the area below the
    // floating caption while floating.
    QRect EdgeRect() const { return m_edgeRect; }
    QRect ClientRect() const { return m_clientRect; }
    QRect GripperRect() const { return m_gripperRect; }
    QRect CloseButtonRect() const { return m_closeButtonRect; }
    QRect FloatButtonRect() const { return m_floatButtonRect; }
    QRect TrackerRect() const { return m_trackerRect; }
    bool IsTracking() const { return m_tracking; }
    bool IsTrackerShown() const;
    const CoolDialogBarTracker* Tracker() const { return m_tracker.get(); }
    QWidget* GripperPart() const;
    QWidget* BodyPart() const;

    // Non-client hit code of a window point (docked: cool::HitTestDocked; else HitClient).
    int HitTest(QPoint windowPoint) const;
    // The part of the bar under a window point and the point in that part's coordinates.
    QWidget* PartAt(QPoint windowPoint, QPoint* local) const;
    QPoint WindowToGlobal(QPoint windowPoint) const;

    // Losing the mouse to another window: ends a resize without taking it.
    void OnCaptureChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Part;
    friend class Part;

    // Offset of the window origin inside the dock widget, and the window's size.
    QPoint WindowOrigin() const;
    QSize WindowSize() const;
    QPoint PartToWindow(const QWidget* part, QPoint local) const;
    uint32_t CurrentDockBarId() const;
    fw::FrameWnd* Frame() const { return m_frame; }

    void OnDockChanged();
    void OnWindowPosChanged();
    void RecalcNonClient();
    void ApplyDockedSize();
    void ApplyFloatingGeometry();
    void PlaceDialog();

    // Non-client mouse and painting, forwarded by the parts.
    bool NcLButtonDown(int hit, QWidget* part);
    bool NcLButtonDblClk(int hit);
    bool FloatingCaptionPress(QPoint windowPoint);
    void MouseMove(QWidget* part, QPoint windowPoint, bool buttonsDown);
    bool LButtonUp();
    void PaintNonClient(QPainter& painter) const;
    void PaintFloatingCaption(QPainter& painter, const QRect& caption) const;
    QRect FloatingCloseRect(const QRect& caption) const;

    void StartTracking(QWidget* capture);
    void StopTracking(bool accept);
    void OnInvertTracker();

    QColor m_highlight;
    QColor m_shadow;
    QSize m_minSize{32, 32};
    QSize m_horzSize{200, 200};
    QSize m_vertSize{200, 200};
    QSize m_floatSize{200, 200};
    QRect m_edgeRect;
    QRect m_trackerRect;
    uint32_t m_dockBarId = 0;
    QPoint m_oldPoint;
    bool m_tracking = false;
    bool m_inRecalc = false;
    int m_edgeWidth = 6;
    QRect m_floatButtonRect;
    QRect m_closeButtonRect;
    QRect m_gripperRect;
    int m_gripperWidth = 20;
    int m_border = 3;
    QPointer<fw::Dialog> m_dialog;
    QColor m_background;
    int m_floatInset = 3;
    int m_minTrackWidth = 112;
    int m_minTrackHeight = 27;
    int m_captionHeight = 16;

    QRect m_clientRect;
    QSize m_lastSize;
    uint32_t m_barStyle = 0;
    uint32_t m_controlId = 0;
    QPointer<fw::FrameWnd> m_frame;
    Part* m_gripperPart = nullptr;
    Part* m_bodyPart = nullptr;
    QPointer<QWidget> m_capture;
    std::unique_ptr<CoolDialogBarTracker> m_tracker;
};
