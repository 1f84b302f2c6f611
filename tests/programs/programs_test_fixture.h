#pragma once
// A programs page on a small project of our own, with the recording panel double, and the
// clicks a user makes on its tree.

#include <gtest/gtest.h>

#include <QCursor>
#include <QTest>
#include <QTreeWidgetItem>
#include <initializer_list>
#include <string>
#include <vector>

#include "model/builtin_pictures.h"
#include "model/project.h"
#include "platform/image_list.h"
#include "platform/text.h"
#include "programs/editor_state.h"
#include "programs/program_tree.h"
#include "programs/programs_page.h"
#include "support/program_editor_double.h"

namespace sw::testing {

class ProgramsPageTest : public ::testing::Test {
 protected:
  ProgramsPageTest() {
    FillBuiltinPictures(small_, large_);
    project_.SmallProgramImages = &small_;
    project_.LargeProgramImages = &large_;
    page_.setProject(project_, state_, small_, large_);
    page_.setProgramEditor(&editor_);
    page_.resize(640, 530);
    // Away from every node, so that no check sees the pointer on a state picture.
    QCursor::setPos(-5000, -5000);
  }

  // A group with programs of the given captions (UTF-8), numbered in turn.
  TInstallGroup* addGroup(const char* name, std::initializer_list<const char*> captions,
                          bool expanded = false, bool locked = false) {
    TInstallGroup* group = AddGroup(project_, text::fromUtf8(name), "");
    group->Expanded = expanded;
    group->Locked = locked;
    for (const char* caption : captions) {
      auto program = NewProgram(group);
      program->Caption = text::fromUtf8(caption);
      program->Number = NextProgramNumber(project_);
      AttachProgram(project_, group, std::move(program));
    }
    return group;
  }

  TInstallItem* program(const char* caption) const {
    for (const auto& group : project_.Groups) {
      for (const auto& item : group->Items) {
        if (item->Caption == text::fromUtf8(caption)) return item.get();
      }
    }
    ADD_FAILURE() << "no program " << caption;
    return nullptr;
  }

  void showPage() {
    page_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page_));
  }

  SelectProgTree& tree() const { return *page_.tree(); }

  // Points of a node's row in viewport coordinates: on its text, and on its state picture.
  QPoint textPoint(const QTreeWidgetItem* node) const {
    const QRect row = tree().visualItemRect(node);
    return {row.left() + kStatePictureWidth + kSmallPictureWidth + 12, row.center().y()};
  }
  QPoint statePoint(const QTreeWidgetItem* node) const {
    const QRect row = tree().visualItemRect(node);
    return {row.left() + kStatePictureWidth / 2, row.center().y()};
  }
  void click(const QTreeWidgetItem* node) const {
    QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, textPoint(node));
  }
  void doubleClick(QPoint at) const { QTest::mouseDClick(tree().viewport(), Qt::LeftButton, {}, at); }

  // The captions of a group's programs in model order, and its node's child texts in tree order.
  static std::vector<std::string> captions(const TInstallGroup* group) {
    std::vector<std::string> result;
    for (const auto& item : group->Items) result.push_back(text::toUtf8(item->Caption));
    return result;
  }
  static std::vector<std::string> childTexts(const QTreeWidgetItem* node) {
    std::vector<std::string> result;
    for (int i = 0; i < node->childCount(); ++i) result.push_back(node->child(i)->text(0).toStdString());
    return result;
  }
  static int picture(const QTreeWidgetItem* node) {
    return node->data(0, SelectProgTree::kPictureRole).toInt();
  }
  static int statePicture(const QTreeWidgetItem* node) {
    return node->data(0, SelectProgTree::kStatePictureRole).toInt();
  }

  ImageList small_{kSmallPictureWidth, kSmallPictureHeight};
  ImageList large_{kLargePictureSize, kLargePictureSize};
  Project project_;
  EditorState state_;
  RecordingEditor editor_;
  ProgramsPage page_;
};

}  // namespace sw::testing
