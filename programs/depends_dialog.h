#pragma once
// The dependencies dialog ("Редактор зависимостей и исключений"): the user moves the project's
// programs between the unchosen list and the three relation lists of one program (all of,
// any of, excluded). EditDependencies runs it for the program panel and stores the result.

#include <QDialog>
#include <cstdint>
#include <memory>
#include <vector>

class QKeyEvent;
class QListWidget;

namespace Ui {
class TDependsFm;
}

namespace sw {

struct Project;
struct TInstallItem;

class TDependsFm : public QDialog {
  Q_OBJECT

 public:
  explicit TDependsFm(QWidget* owner);
  ~TDependsFm() override;

  // Every program of the project on the left, in group and item order; then, for a program,
  // its caption on top and each reference that names a program moved into its relation list.
  void fill(const Project& project, const TInstallItem* program);

  // The numbers of a relation list's rows, in row order.
  std::vector<std::int32_t> dependsNumbers() const;
  std::vector<std::int32_t> dependsOrNumbers() const;
  std::vector<std::int32_t> excludeNumbers() const;

 public slots:
  void DepAddBtClick();
  void DepRemBtClick();
  void DepOrAddBtClick();
  void DepOrRemBtClick();
  void ExclAddBtClick();
  void ExclRemBtClick();
  void OkBtClick();
  void CancelBtClick();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void addTo(QListWidget& target);
  void removeFrom(QListWidget& source);

  std::unique_ptr<Ui::TDependsFm> ui_;
};

// Runs the dialog for `program` (none: the lists are shown and nothing is stored). Closed with
// OK, the program's Depends, DependsOr and Exclude become the three lists and the result is
// true; the caller then shows DependsText, DependsOrText and ExcludeText again.
bool EditDependencies(QWidget* owner, Project& project, TInstallItem* program);

}  // namespace sw
