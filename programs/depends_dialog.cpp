#include "programs/depends_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QStyledItemDelegate>
#include <algorithm>
#include <unordered_set>

#include "dialogs/dialog_runner.h"
#include "model/project.h"
#include "model/references.h"
#include "platform/text.h"
#include "ui_depends_dialog.h"

namespace sw {
namespace {

constexpr int kRowHeight = 16;

// Rows 16 pixels high and as wide as the list: a caption too long for it is elided, not
// scrolled to.
class RowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {0, kRowHeight}; }
};

void prepareList(QListWidget& list) {
  list.setSelectionMode(QAbstractItemView::SingleSelection);
  list.setEditTriggers(QAbstractItemView::NoEditTriggers);
  list.setDragDropMode(QAbstractItemView::NoDragDrop);
  list.setSortingEnabled(false);
  list.setWordWrap(false);
  list.setTextElideMode(Qt::ElideRight);
  list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list.setUniformItemSizes(true);
  list.setItemDelegate(new RowDelegate(&list));
}

void appendRow(QListWidget& list, const TInstallItem& program) {
  const QString caption = text::toQString(program.Caption);
  auto* row = new QListWidgetItem(caption);
  row->setData(Qt::UserRole, program.Number);
  // The full caption of a row the list cuts short.
  row->setToolTip(caption);
  list.addItem(row);
}

int selectedRow(const QListWidget& list) {
  const QList<QListWidgetItem*> selected = list.selectedItems();
  return selected.isEmpty() ? -1 : list.row(selected.first());
}

// Selects `row`; a row the list does not have leaves nothing selected.
void selectRow(QListWidget& list, int row) {
  if (row < 0 || row >= list.count()) {
    list.clearSelection();
    list.setCurrentItem(nullptr);
    return;
  }
  list.setCurrentRow(row);
}

std::vector<std::int32_t> numbersOf(const QListWidget& list) {
  std::vector<std::int32_t> numbers;
  numbers.reserve(static_cast<std::size_t>(list.count()));
  for (int row = 0; row < list.count(); ++row)
    numbers.push_back(static_cast<std::int32_t>(list.item(row)->data(Qt::UserRole).toInt()));
  return numbers;
}

}  // namespace

TDependsFm::TDependsFm(QWidget* owner) : QDialog(owner), ui_(std::make_unique<Ui::TDependsFm>()) {
  ui_->setupUi(this);
  for (QListWidget* list :
       {ui_->AllPrgListBox, ui_->DependsPrgListBox, ui_->DependsOrPrgListBox, ui_->ExcludePrgListBox})
    prepareList(*list);
  // Both list columns as wide as the widest caption above them needs, and at least the form's.
  int columnWidth = ui_->AllPrgListBox->minimumWidth();
  for (const QLabel* label : {ui_->Label1, ui_->Label2, ui_->Label3, ui_->Label4})
    columnWidth = std::max(columnWidth, label->sizeHint().width());
  ui_->listsGrid->setColumnMinimumWidth(0, columnWidth);
  ui_->listsGrid->setColumnMinimumWidth(2, columnWidth);
  // A fixed border: the form's size, or what the system's fonts need beyond it.
  setFixedSize(size().expandedTo(sizeHint()));
  connect(ui_->DepAddBt, &QPushButton::clicked, this, &TDependsFm::DepAddBtClick);
  connect(ui_->DepRemBt, &QPushButton::clicked, this, &TDependsFm::DepRemBtClick);
  connect(ui_->DepOrAddBt, &QPushButton::clicked, this, &TDependsFm::DepOrAddBtClick);
  connect(ui_->DepOrRemBt, &QPushButton::clicked, this, &TDependsFm::DepOrRemBtClick);
  connect(ui_->ExclAddBt, &QPushButton::clicked, this, &TDependsFm::ExclAddBtClick);
  connect(ui_->ExclRemBt, &QPushButton::clicked, this, &TDependsFm::ExclRemBtClick);
  connect(ui_->OkBt, &QPushButton::clicked, this, &TDependsFm::OkBtClick);
  connect(ui_->CancelBt, &QPushButton::clicked, this, &TDependsFm::CancelBtClick);
}

TDependsFm::~TDependsFm() = default;

void TDependsFm::fill(const Project& project, const TInstallItem* program) {
  for (QListWidget* list :
       {ui_->AllPrgListBox, ui_->DependsPrgListBox, ui_->DependsOrPrgListBox, ui_->ExcludePrgListBox})
    list->clear();
  ui_->ItemNameLb->clear();

  // The programs the relation lists show, left out of the left list. A number in two lists
  // gets a row in each, and OK stores it in both again.
  std::unordered_set<const TInstallItem*> chosen;
  const auto fillRelation = [&](const std::vector<std::int32_t>& numbers, QListWidget& list) {
    for (std::int32_t number : numbers) {
      // A number that names no program gets no row, so OK drops it.
      const TInstallItem* found = FindProgram(project, number);
      if (found == nullptr) continue;
      appendRow(list, *found);
      chosen.insert(found);
    }
  };
  if (program != nullptr) {
    ui_->ItemNameLb->setText(text::toQString(program->Caption));
    fillRelation(program->Depends, *ui_->DependsPrgListBox);
    fillRelation(program->DependsOr, *ui_->DependsOrPrgListBox);
    fillRelation(program->Exclude, *ui_->ExcludePrgListBox);
  }
  // The program itself stays on offer: it may name itself.
  for (const auto& group : project.Groups)
    for (const auto& item : group->Items)
      if (chosen.count(item.get()) == 0) appendRow(*ui_->AllPrgListBox, *item);
}

std::vector<std::int32_t> TDependsFm::dependsNumbers() const { return numbersOf(*ui_->DependsPrgListBox); }

std::vector<std::int32_t> TDependsFm::dependsOrNumbers() const {
  return numbersOf(*ui_->DependsOrPrgListBox);
}

std::vector<std::int32_t> TDependsFm::excludeNumbers() const { return numbersOf(*ui_->ExcludePrgListBox); }

void TDependsFm::DepAddBtClick() { addTo(*ui_->DependsPrgListBox); }

void TDependsFm::DepRemBtClick() { removeFrom(*ui_->DependsPrgListBox); }

void TDependsFm::DepOrAddBtClick() { addTo(*ui_->DependsOrPrgListBox); }

void TDependsFm::DepOrRemBtClick() { removeFrom(*ui_->DependsOrPrgListBox); }

void TDependsFm::ExclAddBtClick() { addTo(*ui_->ExcludePrgListBox); }

void TDependsFm::ExclRemBtClick() { removeFrom(*ui_->ExcludePrgListBox); }

void TDependsFm::OkBtClick() { accept(); }

void TDependsFm::CancelBtClick() { reject(); }

void TDependsFm::keyPressEvent(QKeyEvent* event) {
  // No button is the cancel button, so Escape closes nothing (and Enter, with no default
  // button, presses nothing).
  if (event->matches(QKeySequence::Cancel)) return;
  QDialog::keyPressEvent(event);
}

void TDependsFm::addTo(QListWidget& target) {
  QListWidget& all = *ui_->AllPrgListBox;
  const int row = selectedRow(all);
  if (row >= 0) target.addItem(all.takeItem(row));
  selectRow(target, target.count() - 1);
  // The row after the moved one moves up into its place, so repeated clicks take the next ones.
  selectRow(all, std::min(row, all.count() - 1));
}

void TDependsFm::removeFrom(QListWidget& source) {
  const int row = selectedRow(source);
  // Back at the end of the left list, not at its former place.
  if (row >= 0) ui_->AllPrgListBox->addItem(source.takeItem(row));
  selectRow(source, std::min(row, source.count() - 1));
}

bool EditDependencies(QWidget* owner, Project& project, TInstallItem* program) {
  TDependsFm dialog(owner);
  dialog.fill(project, program);
  if (dialogs::runDialog(dialog) != QDialog::Accepted) return false;
  if (program != nullptr) {
    SetReferences(project, *program, &TInstallItem::Depends, dialog.dependsNumbers());
    SetReferences(project, *program, &TInstallItem::DependsOr, dialog.dependsOrNumbers());
    SetReferences(project, *program, &TInstallItem::Exclude, dialog.excludeNumbers());
  }
  return true;
}

}  // namespace sw
