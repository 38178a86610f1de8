// The material editor from the Tools menu: the registered materials' names in registry order,
// duplicates included, in its template's layout; a label can be edited but a new name is
// not kept; OK ends it.
#include "EditorTestSupport.h"
#include "SceneTestSupport.h"

#include "MaterialDialog.h"
#include "Resource.h"
#include "framework/CommandIds.h"
#include "framework/TreeCtrl.h"
#include "orvex/scene/Material.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

struct DialogSeen {
    bool ran = false;
    QString caption;
    QStringList names;
    int childItems = 0;
    QString group;
    bool groupEmpty = false;
    bool blackFrame = false;
    QString button;
    bool isDefault = false;
};

// Runs the Tools command; while the dialog is up, reads it and clicks OK.
DialogSeen RunMaterialEditor(fw::FrameWnd* frame)
{
    DialogSeen seen;
    QTimer::singleShot(0, [&seen] {
        QWidget* window = QApplication::activeModalWidget();
        auto* dialog = dynamic_cast<MaterialDialog*>(ObjectOf(window));
        if (dialog == nullptr)
            return;
        seen.ran = true;
        seen.caption = Q(dialog->GetText());
        seen.names = TopLevelTexts(dialog->GetMaterialTree(), &seen.childItems);
        if (auto* group = window->findChild<QGroupBox*>()) {
            seen.group = group->title();
            seen.groupEmpty = group->children().isEmpty();
        }
        for (QFrame* frame : window->findChildren<QFrame*>()) {
            if (frame->frameShape() == QFrame::Box && frame->palette().color(QPalette::WindowText) == Qt::black &&
                frame->children().isEmpty()) {
                seen.blackFrame = true;
            }
        }
        auto* ok = window->findChild<QPushButton*>();
        if (ok == nullptr)
            return;
        seen.button = ok->text();
        seen.isDefault = ok->isDefault();
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    EXPECT_TRUE(frame->SendCommand(ID_TOOLS_MATERIALEDITOR));
    return seen;
}

class MaterialDialogTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        ClearMaterials(); // as at program start; no scene refers to them yet
    }
    void TearDown() override
    {
        if (m_frame.Get() != nullptr)
            m_frame->SendCommand(fw::ID_FILE_NEW); // the scene goes before its materials
        EditorTest::TearDown();
    }
};

} // namespace

TEST_F(MaterialDialogTest, EmptyBeforeAnyFileInTheTemplatesLayout)
{
    const DialogSeen seen = RunMaterialEditor(m_frame);
    ASSERT_TRUE(seen.ran);
    EXPECT_EQ(seen.caption, "Material Editor Dialog...");
    EXPECT_TRUE(seen.names.isEmpty());
    EXPECT_EQ(seen.group, "Information");
    EXPECT_TRUE(seen.groupEmpty);
    EXPECT_TRUE(seen.blackFrame);
    EXPECT_EQ(seen.button, "OK");
    EXPECT_TRUE(seen.isDefault);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MaterialDialogTest, ListsTheMaterialsOfEveryOpenedFileDuplicatesIncluded)
{
    const QString first = scenes::Write(m_dir.path(), "first.mes", scenes::MaterialsOnly({"skin", "metal"}));
    const QString second = scenes::Write(m_dir.path(), "second.mes", scenes::Family("metal"));
    ASSERT_EQ(Open(first), m_doc);
    ASSERT_EQ(Open(second), m_doc);

    const DialogSeen seen = RunMaterialEditor(m_frame);
    ASSERT_TRUE(seen.ran);
    EXPECT_EQ(seen.names, QStringList({"skin", "metal", "metal"}));
    EXPECT_EQ(seen.childItems, 0);

    // A file that fails after its materials were read still leaves them registered.
    scenes::SceneDesc broken = scenes::MaterialsOnly({"glass"});
    broken.meshes.push_back(scenes::Family("nowhere").meshes.front());
    broken.nodes.push_back(scenes::NodeDesc{"root", -1, {}, {}});
    QByteArray bytes;
    {
        const std::vector<uint8_t> encoded = orvex::format::EncodeScene(broken);
        bytes = QByteArray(reinterpret_cast<const char*>(encoded.data()), static_cast<qsizetype>(encoded.size()));
    }
    const QString brokenPath = QDir(m_dir.path()).filePath("broken.mes");
    {
        QFile file(brokenPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    EXPECT_EQ(Open(brokenPath), nullptr);
    EXPECT_EQ(RunMaterialEditor(m_frame).names, QStringList({"skin", "metal", "metal", "glass"}));
}

TEST_F(MaterialDialogTest, RunsOnItsOwnWithoutAParent)
{
    const QString path = scenes::Write(m_dir.path(), "one.mes", scenes::MaterialsOnly({"only"}));
    ASSERT_EQ(Open(path), m_doc);
    MaterialDialog dialog;
    QTimer::singleShot(0, [&dialog] { dialog.EndDialog(fw::IdOk); });
    EXPECT_EQ(dialog.DoModal(), fw::IdOk);
    EXPECT_EQ(dialog.GetParent(), nullptr);
    ASSERT_NE(dialog.GetMaterialTree(), nullptr);
    EXPECT_EQ(TopLevelTexts(dialog.GetMaterialTree()), QStringList({"only"}));
}

// The tree's labels are editable, but the dialog keeps no edit: the item shows the
// material's name again, and the material itself keeps its name.
TEST_F(MaterialDialogTest, RenamingAMaterialInTheTreeIsNotKept)
{
    const QString path = scenes::Write(m_dir.path(), "two.mes", scenes::MaterialsOnly({"skin", "metal"}));
    ASSERT_EQ(Open(path), m_doc);
    MaterialDialog dialog;
    bool edited = false;
    QStringList names;
    QTimer::singleShot(0, [&] {
        fw::TreeCtrl* control = dialog.GetMaterialTree();
        auto* tree = control != nullptr ? qobject_cast<QTreeWidget*>(Peer(control)) : nullptr;
        if (tree == nullptr || tree->topLevelItemCount() != 2)
            return dialog.EndDialog(fw::IdCancel);
        tree->setFocus();
        tree->setCurrentItem(tree->topLevelItem(1));
        QTest::keyClick(tree, Qt::Key_F2);
        if (auto* editor = tree->findChild<QLineEdit*>()) {
            edited = true; // the label editor opened
            editor->selectAll();
            QTest::keyClicks(editor, "copper");
            QTest::keyClick(editor, Qt::Key_Return);
            // The delegate commits and closes the editor from the event loop.
            for (int i = 0; i < 200 && !tree->findChildren<QLineEdit*>().isEmpty(); ++i)
                QTest::qWait(10);
        }
        names = TopLevelTexts(control);
        dialog.EndDialog(fw::IdOk);
    });
    EXPECT_EQ(dialog.DoModal(), fw::IdOk);
    EXPECT_TRUE(edited);
    EXPECT_EQ(names, QStringList({"skin", "metal"}));
    ASSERT_NE(FindMaterial("metal"), nullptr);
    EXPECT_EQ(FindMaterial("copper"), nullptr);
}
