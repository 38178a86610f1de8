// The left panel (tabs, mesh list, node tree, keyframe list and their layout) and the info
// panel, each built from its template.
#include "EditorTestSupport.h"
#include "InfoDialogBar.h"
#include "LeftDialogBar.h"
#include "Quorvan.h"
#include "Resource.h"
#include "framework/ListCtrl.h"
#include "framework/TabCtrl.h"
#include "framework/TreeCtrl.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {

// A plain window of the framework that holds a panel, as a docking bar does.
void MakeHost(fw::Wnd& host)
{
    ASSERT_TRUE(host.CreateEx(0, "host", 0, fw::Rect::FromSize(0, 0, 400, 600), nullptr, 0));
}

class LeftPanelTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterQuorvanResources();
        MakeHost(m_host);
        ASSERT_TRUE(m_panel.Create(IDD_LEFTDIALOGBAR, &m_host));
        m_host.ShowWindow(fw::ShowCmd::Show);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Peer(&m_host)));
        Resize(200, 300);
    }

    void Resize(int cx, int cy) { m_panel.MoveWindow(fw::Rect::FromSize(0, 0, cx, cy)); }
    // A control's place in the panel.
    static fw::Rect Place(const fw::Wnd* control)
    {
        const QRect r = Peer(control)->geometry();
        return fw::Rect::FromSize(r.x(), r.y(), r.width(), r.height());
    }

    fw::Wnd m_host;
    LeftDialogBar m_panel;
};

bool Shown(const fw::Wnd* control)
{
    return (control->GetStyle() & fw::WinStyle::Visible) != 0;
}

void ExpectPages(const LeftDialogBar& panel, bool mesh, bool node, bool keyframe)
{
    EXPECT_EQ(Shown(panel.GetMeshList()), mesh);
    EXPECT_EQ(Shown(panel.GetNodeTree()), node);
    EXPECT_EQ(Shown(panel.GetKeyframeList()), keyframe);
}

QTabBar* TabBarOf(const fw::TabCtrl* tabs)
{
    return Peer(tabs)->findChild<QTabBar*>();
}

} // namespace

TEST_F(LeftPanelTest, ThreeTabsAtTheBottomAndTheMeshPageFirst)
{
    fw::TabCtrl* tabs = m_panel.GetPageTabs();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->GetItemCount(), 3);
    EXPECT_EQ(tabs->GetItemText(0), "Mesh");
    EXPECT_EQ(tabs->GetItemText(1), "Node");
    EXPECT_EQ(tabs->GetItemText(2), "Keyframe");
    EXPECT_EQ(tabs->GetCurSel(), 0);
    EXPECT_EQ(TabBarOf(tabs)->shape(), QTabBar::RoundedSouth);
    EXPECT_FALSE(TabBarOf(tabs)->expanding()); // ragged right
    // The tabs lie along the bottom.
    EXPECT_EQ(tabs->GetItemRect(0).bottom, tabs->GetClientRect().bottom);
    EXPECT_LT(tabs->GetItemRect(0).right, tabs->GetItemRect(1).right);
    ExpectPages(m_panel, true, false, false);
}

TEST_F(LeftPanelTest, MeshListReportWithOneNameColumn)
{
    fw::ListCtrl* meshes = m_panel.GetMeshList();
    auto* table = qobject_cast<QTableWidget*>(Peer(meshes));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(meshes->GetExtendedStyle(),
              fw::ListCtrl::ExGridLines | fw::ListCtrl::ExCheckBoxes | fw::ListCtrl::ExFullRowSelect);
    EXPECT_TRUE(table->showGrid());
    EXPECT_EQ(table->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(table->selectionMode(), QAbstractItemView::ExtendedSelection);
    ASSERT_EQ(meshes->GetColumnCount(), 1);
    EXPECT_EQ(meshes->GetColumnHeading(0), "Name");
    EXPECT_EQ(meshes->GetColumnWidth(0), 140);
    EXPECT_EQ(meshes->GetItemCount(), 0);

    // Rows get check boxes; ticking one changes only that box.
    meshes->InsertItem(0, "Box01");
    meshes->InsertItem(1, "Sphere01");
    EXPECT_TRUE(table->item(1, 0)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(meshes->GetCheck(1));
    EXPECT_TRUE(meshes->SetCheck(1, true));
    EXPECT_TRUE(meshes->GetCheck(1));
    EXPECT_FALSE(meshes->GetCheck(0));
    EXPECT_EQ(meshes->GetItemText(1, 0), "Sphere01");
}

TEST_F(LeftPanelTest, EditingAMeshNameKeepsTheOldText)
{
    fw::ListCtrl* list = m_panel.GetMeshList();
    list->InsertItem(0, "Box01");
    auto* meshes = qobject_cast<QTableWidget*>(Peer(list));
    meshes->setFocus();
    meshes->setCurrentCell(0, 0);
    QTest::keyClick(meshes, Qt::Key_F2);
    auto* editor = meshes->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr); // the label editor opens
    editor->setText("Renamed");
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits and closes the editor from the event loop: look after that.
    ASSERT_SOON(meshes->findChildren<QLineEdit*>().isEmpty());
    EXPECT_EQ(list->GetItemText(0, 0), "Box01");
}

TEST_F(LeftPanelTest, NodeTreeAndKeyframeList)
{
    fw::TreeCtrl* nodes = m_panel.GetNodeTree();
    const uint32_t style = nodes->Style();
    EXPECT_TRUE(style & fw::CtlStyle::HasButtons);
    EXPECT_TRUE(style & fw::CtlStyle::HasLines);
    EXPECT_FALSE(qobject_cast<QTreeWidget*>(Peer(nodes))->rootIsDecorated()); // no lines at the root
    ASSERT_EQ(nodes->GetImageList(), &m_panel.GetTreeImages());
    EXPECT_EQ(m_panel.GetTreeImages().GetImageCount(), 1);
    EXPECT_EQ(m_panel.GetTreeImages().ImageSize(), (fw::Size{16, 16}));
    EXPECT_EQ(nodes->GetCount(), 0);

    const fw::TreeItem root = nodes->InsertItem("Bip01", 0, 0);
    const fw::TreeItem pelvis = nodes->InsertItem("Pelvis", 0, 0, root);
    nodes->InsertItem("Spine", 0, 0, root);
    EXPECT_EQ(nodes->GetChildItem(root), pelvis);
    EXPECT_EQ(nodes->GetItemText(nodes->GetNextSiblingItem(pelvis)), "Spine"); // placed last
    EXPECT_EQ(nodes->GetItemImage(pelvis), 0);
    EXPECT_FALSE(reinterpret_cast<QTreeWidgetItem*>(pelvis)->icon(0).isNull());
    EXPECT_TRUE(nodes->Expand(root));
    EXPECT_TRUE(nodes->IsExpanded(root));
    EXPECT_EQ(nodes->GetCount(), 3);
    EXPECT_TRUE(nodes->DeleteAllItems());
    EXPECT_EQ(nodes->GetCount(), 0);

    fw::ListCtrl* keyframes = m_panel.GetKeyframeList();
    EXPECT_EQ(keyframes->GetColumnCount(), 0);
    EXPECT_EQ(keyframes->GetItemCount(), 0);
    EXPECT_EQ(qobject_cast<QTableWidget*>(Peer(keyframes))->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST_F(LeftPanelTest, TabsSwitchThePages)
{
    QTabBar* bar = TabBarOf(m_panel.GetPageTabs());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    ExpectPages(m_panel, false, true, false);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    ExpectPages(m_panel, false, false, true);
    EXPECT_EQ(m_panel.GetKeyframeList()->GetColumnCount(), 0);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    ExpectPages(m_panel, true, false, false);
    // Selecting by code sends no notification and leaves the pages alone.
    m_panel.GetPageTabs()->SetCurSel(1);
    ExpectPages(m_panel, true, false, false);
}

TEST_F(LeftPanelTest, SizeHandlerLayout)
{
    Resize(200, 300);
    EXPECT_EQ(Place(m_panel.GetPageTabs()), fw::Rect::FromSize(0, 0, 200, 296));
    for (const fw::Wnd* page :
         {static_cast<const fw::Wnd*>(m_panel.GetMeshList()), static_cast<const fw::Wnd*>(m_panel.GetNodeTree()),
          static_cast<const fw::Wnd*>(m_panel.GetKeyframeList())}) {
        EXPECT_EQ(Place(page), fw::Rect::FromSize(2, 2, 196, 270)); // hidden pages too
    }
    // The tab strip lies along the bottom 28 pixels, under the pages.
    Resize(151, 412);
    EXPECT_EQ(Place(m_panel.GetMeshList()), fw::Rect::FromSize(2, 2, 147, 382));
    EXPECT_EQ(Place(m_panel.GetPageTabs()), fw::Rect::FromSize(0, 0, 151, 408));

    // Narrower than the margins: nothing turns negative.
    Resize(3, 20);
    EXPECT_EQ(Place(m_panel.GetPageTabs()), fw::Rect::FromSize(0, 0, 3, 16));
    EXPECT_EQ(Place(m_panel.GetNodeTree()), fw::Rect::FromSize(2, 2, 0, 0));
    Resize(0, 2);
    EXPECT_EQ(Place(m_panel.GetPageTabs()).GetSize(), (fw::Size{0, 0}));
}

TEST(InfoPanel, ReadOnlyMultiLineBox)
{
    RegisterQuorvanResources();
    fw::Wnd host;
    MakeHost(host);
    InfoDialogBar panel;
    ASSERT_TRUE(panel.Create(IDD_INFODIALOGBAR, &host));
    EXPECT_EQ(panel.GetParent(), &host);
    fw::Wnd* box = panel.GetDlgItem(IDC_INFOTEXT);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetDlgCtrlID(), static_cast<uint32_t>(IDC_INFOTEXT));
    EXPECT_TRUE(box->GetText().empty());
    auto* text = qobject_cast<QPlainTextEdit*>(Peer(box));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::NoWrap); // scrolls horizontally
    const fw::DialogBaseUnits base = panel.BaseUnits();
    EXPECT_EQ(panel.GetClientRect().GetSize(), fw::MapDialogSize(fw::Size{439, 80}, base));
    EXPECT_EQ(box->GetWindowRect().Offset(fw::Point{} - panel.GetWindowRect().TopLeft()),
              fw::MapDialogRect(fw::Rect::FromSize(7, 7, 425, 66), base));
}

TEST(LeftPanel, MissingControlsFailCreation)
{
    fw::DialogTemplate broken;
    broken.size = fw::Size{100, 100};
    broken.style = fw::DlgStyle::Child;
    broken.controls = {
        {IDC_MESHLIST, fw::ControlClass::ListView, std::string(), fw::Rect::FromSize(0, 0, 10, 10), 0, 0}};
    fw::ResourceTable::Instance().AddDialog(9201, broken);
    fw::Wnd host;
    MakeHost(host);
    LeftDialogBar panel;
    EXPECT_FALSE(panel.Create(9201, &host));
    LeftDialogBar another;
    EXPECT_FALSE(another.Create(9999, &host)); // no such template
}
