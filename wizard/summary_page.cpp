#include "wizard/summary_page.h"

#include <QStringList>

#include "model/project.h"
#include "platform/text.h"
#include "ui_summary_page.h"

namespace sw {

SummaryPage::SummaryPage(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::SummaryPage>()) {
  ui_->setupUi(this);
}

SummaryPage::~SummaryPage() = default;

void SummaryPage::FillSummary(const Project& project, const std::string& projectFileName) {
  const ProjectSettings& settings = project.Settings;
  const QStringList lines{
      QStringLiteral("Проект: ") + text::toQString(projectFileName),
      QString(),
      QStringLiteral("Версия скрипта: 2.0"),
      QStringLiteral("Дата создания: ") + text::toQString(settings.Date),
      QStringLiteral("Автор: ") + text::toQString(settings.Autor),
      QStringLiteral("Комментарий: ") + text::toQString(settings.Description),
      QString(),
      QStringLiteral("Всего групп: ") + QString::number(GroupCount(project)),
      QStringLiteral("Всего программ: ") + QString::number(ProgramCount(project)),
  };
  ui_->LogMemo->setPlainText(lines.join(QLatin1Char('\n')));
}

bool SummaryPage::saveAs() const { return ui_->SaveProjectAsRb->isChecked(); }

}  // namespace sw
