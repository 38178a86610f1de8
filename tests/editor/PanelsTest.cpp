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
#include <QTest>

#include <memory>

namespace {

class LeftPanelTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterQuorvanResources();
        m_host.resize(400, 600);
        ASSERT_TRUE(m_panel.Create(IDD_LEFTDIALOGBAR, &m_host));
        m_host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_host));
        m_panel.resize(200, 300);
    }

    QWidget m_host;
    LeftDialogBar m_panel;
};

void ExpectPages(const LeftDialogBar& panel, bool mesh, bool node, bool keyframe)
{
    EXPECT_EQ(panel.GetMeshList()->isVisibleTo(&panel), mesh);
    EXPECT_EQ(panel.GetNodeTree()->isVisibleTo(&panel), node);
    EXPECT_EQ(panel.GetKeyframeList()->isVisibleTo(&panel), keyframe);
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
    EXPECT_EQ(tabs->TabBar()->shape(), QTabBar::RoundedSouth);
    EXPECT_FALSE(tabs->TabBar()->expanding()); // ragged right
    const QRect strip = tabs->TabStripRect();
    EXPECT_EQ(strip.y() + strip.height(), tabs->height());
    ExpectPages(m_panel, true, false, false);
}

TEST_F(LeftPanelTest, MeshListReportWithOneNameColumn)
{
    fw::ListCtrl* meshes = m_panel.GetMeshList();
    EXPECT_EQ(meshes->GetExtendedStyle(),
              fw::ListCtrl::ExGridLines | fw::ListCtrl::ExCheckBoxes | fw::ListCtrl::ExFullRowSelect);
    EXPECT_TRUE(meshes->showGrid());
    EXPECT_EQ(meshes->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(meshes->selectionMode(), QAbstractItemView::ExtendedSelection);
    ASSERT_EQ(meshes->GetColumnCount(), 1);
    EXPECT_EQ(meshes->horizontalHeaderItem(0)->text(), "Name");
    EXPECT_EQ(meshes->GetColumnWidth(0), 140);
    EXPECT_EQ(meshes->GetItemCount(), 0);

    // Rows get check boxes; ticking one changes only that box.
    meshes->InsertItem(0, "Box01");
    meshes->InsertItem(1, "Sphere01");
    EXPECT_TRUE(meshes->item(1, 0)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(meshes->GetCheck(1));
    EXPECT_TRUE(meshes->SetCheck(1, true));
    EXPECT_TRUE(meshes->GetCheck(1));
    EXPECT_FALSE(meshes->GetCheck(0));
    EXPECT_EQ(meshes->GetItemText(1, 0), "Sphere01");
}

TEST_F(LeftPanelTest, EditingAMeshNameKeepsTheOldText)
{
    fw::ListCtrl* meshes = m_panel.GetMeshList();
    meshes->InsertItem(0, "Box01");
    meshes->setFocus();
    meshes->setCurrentCell(0, 0);
    QTest::keyClick(meshes, Qt::Key_F2);
    auto* editor = meshes->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr); // the label editor opens
    editor->setText("Renamed");
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits and closes the editor from the event loop: look after that.
    ASSERT_SOON(meshes->findChildren<QLineEdit*>().isEmpty());
    EXPECT_EQ(meshes->GetItemText(0, 0), "Box01");
}

TEST_F(LeftPanelTest, NodeTreeAndKeyframeList)
{
    fw::TreeCtrl* nodes = m_panel.GetNodeTree();
    const uint32_t style = nodes->Style();
    EXPECT_TRUE(style & fw::CtlStyle::HasButtons);
    EXPECT_TRUE(style & fw::CtlStyle::HasLines);
    EXPECT_FALSE(nodes->rootIsDecorated()); // no lines at the root
    ASSERT_EQ(nodes->GetImageList(), &m_panel.GetTreeImages());
    EXPECT_EQ(m_panel.GetTreeImages().GetImageCount(), 1);
    EXPECT_EQ(m_panel.GetTreeImages().ImageSize(), QSize(16, 16));
    EXPECT_EQ(nodes->GetCount(), 0);

    QTreeWidgetItem* root = nodes->InsertItem("Bip01", 0, 0);
    QTreeWidgetItem* pelvis = nodes->InsertItem("Pelvis", 0, 0, root);
    nodes->InsertItem("Spine", 0, 0, root);
    EXPECT_EQ(root->child(0), pelvis);
    EXPECT_EQ(root->child(1)->text(0), "Spine"); // placed last
    EXPECT_EQ(nodes->GetItemImage(pelvis), 0);
    EXPECT_FALSE(pelvis->icon(0).isNull());
    EXPECT_TRUE(nodes->Expand(root));
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(nodes->GetCount(), 3);
    EXPECT_TRUE(nodes->DeleteAllItems());
    EXPECT_EQ(nodes->GetCount(), 0);

    fw::ListCtrl* keyframes = m_panel.GetKeyframeList();
    EXPECT_EQ(keyframes->GetColumnCount(), 0);
    EXPECT_EQ(keyframes->GetItemCount(), 0);
    EXPECT_EQ(keyframes->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST_F(LeftPanelTest, TabsSwitchThePages)
{
    QTabBar* bar = m_panel.GetPageTabs()->TabBar();
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
    m_panel.resize(200, 300);
    EXPECT_EQ(m_panel.GetPageTabs()->geometry(), QRect(0, 0, 200, 296));
    for (QWidget* page : {static_cast<QWidget*>(m_panel.GetMeshList()), static_cast<QWidget*>(m_panel.GetNodeTree()),
                          static_cast<QWidget*>(m_panel.GetKeyframeList())}) {
        EXPECT_EQ(page->geometry(), QRect(2, 2, 196, 270)); // hidden pages too
    }
    // The tab strip lies along the bottom 28 pixels, under the pages.
    m_panel.resize(151, 412);
    EXPECT_EQ(m_panel.GetMeshList()->geometry(), QRect(2, 2, 147, 382));
    EXPECT_EQ(m_panel.GetPageTabs()->geometry(), QRect(0, 0, 151, 408));

    // Narrower than the margins: nothing turns negative.
    m_panel.resize(3, 20);
    EXPECT_EQ(m_panel.GetPageTabs()->geometry(), QRect(0, 0, 3, 16));
    EXPECT_EQ(m_panel.GetNodeTree()->geometry(), QRect(2, 2, 0, 0));
    m_panel.resize(0, 2);
    EXPECT_EQ(m_panel.GetPageTabs()->geometry().size(), QSize(0, 0));
}

TEST(InfoPanel, ReadOnlyMultiLineBox)
{
    RegisterQuorvanResources();
    QWidget host;
    InfoDialogBar panel;
    ASSERT_TRUE(panel.Create(IDD_INFODIALOGBAR, &host));
    EXPECT_EQ(panel.parentWidget(), &host);
    auto* text = qobject_cast<QPlainTextEdit*>(panel.GetDlgItem(IDC_INFOTEXT));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::NoWrap); // scrolls horizontally
    EXPECT_TRUE(text->toPlainText().isEmpty());
    const fw::DialogBaseUnits base = panel.BaseUnits();
    EXPECT_EQ(panel.size(), fw::MapDialogSize(QSize(439, 80), base));
    EXPECT_EQ(text->geometry(), fw::MapDialogRect(QRect(7, 7, 425, 66), base));
}

TEST(LeftPanel, MissingControlsFailCreation)
{
    fw::DialogTemplate broken;
    broken.size = QSize(100, 100);
    broken.style = fw::DlgStyle::Child;
    broken.controls = {{IDC_MESHLIST, fw::ControlClass::ListView, QString(), QRect(0, 0, 10, 10), 0, 0}};
    fw::ResourceTable::Instance().AddDialog(9201, broken);
    QWidget host;
    LeftDialogBar panel;
    EXPECT_FALSE(panel.Create(9201, &host));
    LeftDialogBar another;
    EXPECT_FALSE(another.Create(9999, &host)); // no such template
}
