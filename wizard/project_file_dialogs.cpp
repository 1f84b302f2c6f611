#include "wizard/project_file_dialogs.h"

#include <QFileDialog>

#include "dialogs/file_filter.h"

namespace sw {
namespace {

const QString kProjectFilter = QStringLiteral("Файлы конфигурации (*.ini)|*.ini|Все файлы (*.*)|*.*");

}  // namespace

QFileDialog& ProjectFileDialogs::open() {
  if (open_ != nullptr) return *open_;
  open_ = new QFileDialog(&owner_);
  open_->setObjectName(QStringLiteral("OpenIniDialog"));
  open_->setOption(QFileDialog::DontUseNativeDialog);
  // A name that does not exist yet is accepted here; Next checks it.
  open_->setFileMode(QFileDialog::AnyFile);
  open_->setAcceptMode(QFileDialog::AcceptOpen);
  dialogs::applyFilter(*open_, kProjectFilter);
  return *open_;
}

QFileDialog& ProjectFileDialogs::save() {
  if (save_ != nullptr) return *save_;
  save_ = new QFileDialog(&owner_, QStringLiteral("Сохранение нового проекта"));
  save_->setObjectName(QStringLiteral("SaveIniDialog"));
  save_->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
  save_->setAcceptMode(QFileDialog::AcceptSave);
  save_->setDefaultSuffix(QStringLiteral("ini"));
  dialogs::applyFilter(*save_, kProjectFilter);
  return *save_;
}

}  // namespace sw
