#pragma once
// The last page: a summary of the project and the choice of how "Готово" saves it.

#include <QWidget>
#include <memory>
#include <string>

namespace Ui {
class SummaryPage;
}

namespace sw {

struct Project;

class SummaryPage : public QWidget {
  Q_OBJECT

 public:
  explicit SummaryPage(QWidget* parent = nullptr);
  ~SummaryPage() override;

  // Rebuilds the summary; `projectFileName` (1251) as the user gave it.
  void FillSummary(const Project& project, const std::string& projectFileName);
  // "Save under another name" is chosen.
  bool saveAs() const;

 private:
  std::unique_ptr<Ui::SummaryPage> ui_;
};

}  // namespace sw
