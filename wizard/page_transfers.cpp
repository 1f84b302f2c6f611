// The page changes of the main window: what each change moves between the pages and the
// model, the opening of the project when the start page is left, and the save with "Готово".

#include <QFileDialog>
#include <QMessageBox>

#include "dialogs/dialog_runner.h"
#include "platform/files.h"
#include "platform/text.h"
#include "programs/groups_page.h"
#include "programs/programs_page.h"
#include "ui_main_window.h"
#include "wizard/header_page.h"
#include "wizard/main_window.h"
#include "wizard/stages_page.h"
#include "wizard/start_page.h"
#include "wizard/summary_page.h"

namespace sw {
namespace {

// The message texts are written with Windows line breaks; a label breaks lines at "\n".
QString shown(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

int ask(QWidget* owner, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Question, title, shown(text), QMessageBox::Yes | QMessageBox::No, owner);
  box.setWindowModality(Qt::ApplicationModal);
  return dialogs::runDialog(box);
}

void tell(QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text,
          const QString& reason) {
  QMessageBox box(icon, title, shown(text), QMessageBox::Ok, owner);
  box.setWindowModality(Qt::ApplicationModal);
  if (!reason.isEmpty()) box.setInformativeText(reason);
  dialogs::runDialog(box);
}

}  // namespace

bool TSetwrightFm::CheckPageChange(int from, int to) {
  EditorState& state = editorState_;
  Project& project = document_.project();
  if (from == 0 && to == 1) return startPageStep();
  if (from == 1 && to == 2) {
    headerPage().StoreHeaderPage();
    stagesPage().ShowStagesPage();
    return true;
  }
  if (from == 2 && to == 3) {
    stagesPage().StoreStagesPage();
    state.CurrentGroup = nullptr;
    groupsPage().FillGroupsPage();
    return true;
  }
  if (from == 3 && to == 4) {
    state.CurrentProgram = nullptr;
    groupsPage().StoreGroup(state.CurrentGroup);
    programsPage().FillProgramsPage();
    return true;
  }
  if (from == 4 && to == 5) {
    programsPage().storeCurrentProgram();
    programsPage().ClearProgramTree();
    summaryPage().FillSummary(project, document_.fileName());
    return true;
  }
  if (from == 5 && to == 4) {
    state.CurrentProgram = nullptr;
    programsPage().FillProgramsPage();
    return true;
  }
  if (from == 4 && to == 3) {
    programsPage().storeCurrentProgram();
    programsPage().ClearProgramTree();
    state.CurrentProgram = nullptr;
    state.CurrentGroup = nullptr;
    groupsPage().FillGroupsPage();
    return true;
  }
  if (from == 3 && to == 2) {
    groupsPage().StoreGroup(state.CurrentGroup);
    state.CurrentProgram = nullptr;
    state.CurrentGroup = nullptr;
    stagesPage().ShowStagesPage();
    return true;
  }
  if (from == 2 && to == 1) {
    stagesPage().StoreStagesPage();
    headerPage().ShowHeaderPage();
    return true;
  }
  if (from == 1 && to == 0) {
    headerPage().StoreHeaderPage();
    return true;
  }
  if (from == 5 && to == 6) return saveStep();
  return false;
}

bool TSetwrightFm::startPageStep() {
  const StartPage& start = *ui_->StartPage;
  const StartPage::Choice choice = start.choice();
  const bool reopen = !document_.isOpen() || askToReopen();
  if (reopen && choice != StartPage::Choice::None) {
    const std::string fileName = text::fromQString(start.fileName());
    const std::string rootFolder = text::fromQString(start.rootFolder());
    if (choice == StartPage::Choice::NewProject) {
      document_.createNew(fileName, rootFolder);
    } else if (askForMissingRoot(start.rootFolder())) {
      const Status opened = document_.open(fileName, rootFolder);
      if (opened) {
        LastProject = fileName;
        LastRootDir = rootFolder;
      } else {
        tell(this, QMessageBox::Critical, QStringLiteral("Ошибка при открытии."),
             QStringLiteral("Неполучилось загрузить проект!.\r\nВозможно, файл не существует,\r\nили имеет "
                            "некорректный формат"),
             QString::fromStdString(opened.text()));
      }
    }
  }
  headerPage().ShowHeaderPage();
  return document_.isOpen();
}

bool TSetwrightFm::askToReopen() {
  return ask(this, QStringLiteral("Подтверждение открытия."),
             QStringLiteral("Проект уже открыт. Повторное открытие приведет к потере всех изменений\r\n\r\n"
                            "Загрузить проект заново?")) == QMessageBox::Yes;
}

bool TSetwrightFm::askForMissingRoot(const QString& rootFolder) {
  if (files::folderExists(text::fromQString(rootFolder))) return true;
  return ask(this, QStringLiteral("Подтверждение открытия."),
             QStringLiteral(
                 "Корневая папка проекта не найдена:\r\n%1\r\n\r\nПрограммы, для которых задан файл "
                 "проверки наличия, будут загружены скрытыми и зафиксированными и такими же "
                 "сохранены.\r\n\r\nПродолжить?")
                 .arg(rootFolder)) == QMessageBox::Yes;
}

bool TSetwrightFm::saveStep() {
  std::string target = document_.fileName();
  if (summaryPage().saveAs()) {
    QFileDialog& dialog = projectDialogs_.save();
    if (dialogs::runDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return true;
    target = text::fromQString(QDir::toNativeSeparators(dialog.selectedFiles().first()));
  }
  const Status saved = document_.save(target);
  if (!saved) {
    // The window stays open on this page with the project as it was.
    tell(this, QMessageBox::Critical, QStringLiteral("Ошибка при сохранении."),
         QString::fromStdString(saved.text()), QString());
    return false;
  }
  LastProject = target;
  LastRootDir = document_.rootFolder();
  close();
  return false;
}

}  // namespace sw
