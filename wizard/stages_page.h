#pragma once
// Page 2 of the wizard: what the runtime runs before and after it installs the programs, what it
// does when the installation has ended, and the three buttons the project adds to its window.
// The page holds its values only between ShowStagesPage and StoreStagesPage; the "..." buttons
// change the fields, never the model.

#include <QList>
#include <QWidget>
#include <array>
#include <cstddef>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace Ui {
class StagesPage;
}

namespace sw {

struct Project;

class StagesPage : public QWidget {
  Q_OBJECT

 public:
  explicit StagesPage(QWidget* parent = nullptr);
  ~StagesPage() override;

  // The project the page shows and stores; it must outlive the page.
  void setProject(Project& project);
  void ShowStagesPage();
  void StoreStagesPage();
  void scrollToTop();

  // The path and command fields, which carry the shared edit menu.
  QList<QLineEdit*> pathEdits() const;

 private:
  // One stage's fields, so that both stages share each handler.
  struct StageFields {
    QLineEdit* folder = nullptr;
    QLineEdit* beforeReg = nullptr;
    QLineEdit* afterReg = nullptr;
    std::array<QLineEdit*, 4> commands{};
  };
  // One user button's fields, so that the three buttons share each handler.
  struct ButtonFields {
    QLineEdit* caption = nullptr;
    QLineEdit* hint = nullptr;
    QLineEdit* picture = nullptr;
    QLineEdit* folder = nullptr;
    QLineEdit* command = nullptr;
    QLineEdit* text = nullptr;
    QCheckBox* visible = nullptr;
  };

  void connectStage(const StageFields& stage, QPushButton* folderBt, QPushButton* beforeRegBt,
                    QPushButton* afterRegBt, const std::array<QPushButton*, 4>& commandBts);
  void connectButton(std::size_t index, QPushButton* folderBt, QPushButton* pictureBt, QPushButton* commandBt,
                     QPushButton* textBt);

  void StageFolderBtClick(const StageFields& stage);
  void StageRegBtClick(const StageFields& stage, QLineEdit& edit);
  void StageCommandBtClick(const StageFields& stage, QLineEdit& edit);
  void UserButtonFolderBtClick(std::size_t index);
  void UserButtonPictBtClick(std::size_t index);
  void UserButtonCommandBtClick(std::size_t index);
  void UserButtonViewTextBtClick(std::size_t index);

  std::unique_ptr<Ui::StagesPage> ui_;
  Project* project_ = nullptr;
  StageFields pre_;
  StageFields post_;
  std::array<ButtonFields, 3> buttons_;
};

}  // namespace sw
