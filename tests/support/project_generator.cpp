#include "support/project_generator.h"

#include <algorithm>
#include <array>
#include <random>
#include <string_view>
#include <vector>

#include "model/project.h"
#include "platform/text.h"

namespace sw::testing {
namespace {

// Source texts are UTF-8; the model holds 1251.
std::string cp(std::string_view utf8) { return text::fromUtf8(utf8); }

// mt19937 output is fixed by the standard; the distributions are not, so pick by modulo.
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : engine_(seed) {}
  int below(int n) { return n <= 0 ? 0 : static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
  bool chance(int percent) { return below(100) < percent; }
  template <typename List>
  const auto& pick(const List& list) {
    return list[static_cast<std::size_t>(below(static_cast<int>(list.size())))];
  }

 private:
  std::mt19937 engine_;
};

constexpr std::array<std::string_view, 12> kGroupNames = {
    "Офис",     "Интернет",   "Мультимедиа",  "Графика",    "Системные утилиты",
    "Драйверы", "Архиваторы", "Безопасность", "Разработка", "Обучение",
    "Игры",     "Сеть"};

constexpr std::array<std::string_view, 16> kProducts = {"Архиватор",
                                                        "Текстовый редактор",
                                                        "Браузер",
                                                        "Почтовый клиент",
                                                        "Антивирус",
                                                        "Видеоплеер",
                                                        "Аудиоплеер",
                                                        "Просмотрщик PDF",
                                                        "Графический редактор",
                                                        "Файловый менеджер",
                                                        "Диспетчер загрузок",
                                                        "Словарь",
                                                        "Переводчик",
                                                        "Кодеки",
                                                        "Драйвер принтера",
                                                        "Среда разработки"};

constexpr std::array<std::string_view, 8> kDescriptions = {
    "Устанавливается без вопросов, ключи реестра импортируются после установки.",
    "Требует перезагрузки; настройки пользователя сохраняются.",
    "Портативная версия, копируется в папку программ.",
    "Пакет [x64] с русским интерфейсом.",
    "Обновление до последней версии; старая версия удаляется.",
    "Ставится вместе с языковыми файлами и справкой.",
    "Только для Windows XP SP3 и новее.",
    "Настраивается через файл ответов setup.ini."};

constexpr std::array<std::string_view, 6> kInstallCommands = {
    "setup.exe /S /D=%FOLDER%",
    "msiexec.exe /i \"%FOLDER%\\package.msi\" /qn REBOOT=ReallySuppress",
    "install.cmd -quiet -log %TEMP%\\install.log",
    "%ROOT%\\Tools\\unpack.exe data.7z -o%ProgramFiles%\\App",
    "regedit.exe /s settings.reg",
    "wscript.exe configure.vbs /silent"};

constexpr std::array<std::string_view, 4> kFolders = {"Soft\\Office", "Soft\\Net", "Drivers", "Tools"};

void FillSettings(Project& project, const GeneratorOptions& options) {
  ProjectSettings& s = project.Settings;
  s = ProjectSettings{};
  s.Autor = cp("Иван Петров");
  s.Date = "12.03.2024";
  s.Description = cp("Сборка программ для рабочих станций отдела");
  s.RootInstallDir = "%CDROM%\\Install";
  s.CommonIconLib = options.iconLibrary;
  s.CommonShotFolder = "Shots";
  s.SourceTagFile = "disk.tag";
  s.DefaultTimer = 30;
  s.ReadMeText = "readme.txt";
  s.LicenseText = cp("Лицензия.rtf");
  s.CheckHDD = true;

  project.Preinstall = TStageSet{};
  project.Preinstall.Folder = "Pre";
  project.Preinstall.PreRegFile = "before.reg";
  project.Preinstall.Command1 = "prepare.cmd /all";
  project.Postinstall = TStageSet{};
  project.Postinstall.Command1 = cp("cleanup.cmd \"%TEMP%\\Установка\"");
  project.Postinstall.PostRegFile = "after.reg";
  project.Postinstall.Reboot = true;

  for (TUserFuncItem& button : project.UserButtons) button = TUserFuncItem{};
  project.UserButtons[0].Caption = cp("Справка");
  project.UserButtons[0].Hint = cp("Открыть справку по сборке");
  project.UserButtons[0].Text = "help.rtf";
  project.UserButtons[0].Visible = true;
  project.UserButtons[1].Caption = cp("Диспетчер устройств");
  project.UserButtons[1].Command = "devmgmt.msc";

  project.UserEnvironment = {"TOOLS=%ROOT%\\Tools", cp("LANGDIR=%TOOLS%\\Язык")};
}

std::vector<std::int32_t> ShuffledNumbers(int count, Dice& dice) {
  std::vector<std::int32_t> numbers(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) numbers[static_cast<std::size_t>(i)] = i;
  for (int i = count - 1; i > 0; --i)
    std::swap(numbers[static_cast<std::size_t>(i)], numbers[static_cast<std::size_t>(dice.below(i + 1))]);
  return numbers;
}

void FillProgram(TInstallItem& program, int index, const GeneratorOptions& options, Dice& dice) {
  program.Caption =
      cp(dice.pick(kProducts)) + " " + std::to_string(1 + index % 9) + "." + std::to_string(index);
  program.Description = cp(dice.pick(kDescriptions));
  program.Folder = std::string(dice.pick(kFolders)) + "\\App" + std::to_string(index);
  program.CheckTagFile = dice.chance(30) ? "setup.exe" : "";
  program.PreRegFile = dice.chance(40) ? "pre.reg" : "";
  int commands = 1 + dice.below(3);
  for (int c = 0; c < commands; ++c)
    program.*TInstallItem::Commands[static_cast<std::size_t>(c)] = cp(dice.pick(kInstallCommands));
  program.PostRegFile = dice.chance(40) ? "post.reg" : "";
  program.KillWait = dice.chance(20) ? 120 : 0;
  if (options.iconLibrary.empty()) {
    program.IconFile = "app.ico";
    program.IconNumber = dice.below(3);
  } else {
    program.IconNumber = options.iconCount > 0 ? dice.below(options.iconCount) : -1;
  }
  program.SkreenShotImage = dice.chance(50) ? "shot" + std::to_string(index) + ".jpg" : "";
  program.MinToTray = dice.chance(10);
  program.Default = dice.chance(40);
  program.Fixed = dice.chance(10);
  program.Visible = !dice.chance(5);
  program.RebootNeed = dice.chance(15);
}

// Each program refers to distinct other programs, the kinds taken in turn.
void AddReferences(std::vector<TInstallItem*>& programs, const GeneratorOptions& options, Dice& dice) {
  const int count = static_cast<int>(programs.size());
  const int wanted = std::min(options.referencesPerProgram, count - 1);
  for (int i = 0; i < count; ++i) {
    TInstallItem& program = *programs[static_cast<std::size_t>(i)];
    std::vector<int> chosen;
    while (static_cast<int>(chosen.size()) < wanted) {
      int other = dice.below(count);
      if (other == i || std::find(chosen.begin(), chosen.end(), other) != chosen.end()) continue;
      chosen.push_back(other);
    }
    for (std::size_t k = 0; k < chosen.size(); ++k) {
      std::int32_t number = programs[static_cast<std::size_t>(chosen[k])]->Number;
      std::vector<std::int32_t>& list =
          k % 3 == 0 ? program.Depends : (k % 3 == 1 ? program.DependsOr : program.Exclude);
      list.push_back(number);
    }
  }
}

}  // namespace

void GenerateProject(Project& project, const GeneratorOptions& options) {
  Dice dice(options.seed);
  FillSettings(project, options);
  ClearGroups(project);

  const int groupCount = std::max(1, options.groups);
  std::vector<TInstallGroup*> groups;
  for (int g = 0; g < groupCount; ++g) {
    std::string name = cp(kGroupNames[static_cast<std::size_t>(g) % kGroupNames.size()]);
    if (g >= static_cast<int>(kGroupNames.size())) {
      name += ' ';
      name += std::to_string(g / kGroupNames.size() + 1);
    }
    TInstallGroup* group = AddGroup(project, name, cp("Программы раздела «") + name + cp("»"));
    group->Expanded = g % 3 != 0;
    group->Locked = g % 3 == 2;
    groups.push_back(group);
  }

  // Programs are complete, references included, before they join their groups.
  std::vector<std::int32_t> numbers = ShuffledNumbers(options.programs, dice);
  std::vector<std::unique_ptr<TInstallItem>> made;
  std::vector<TInstallItem*> programs;
  for (int i = 0; i < options.programs; ++i) {
    std::unique_ptr<TInstallItem> program = NewProgram(groups[static_cast<std::size_t>(i % groupCount)]);
    program->Number = numbers[static_cast<std::size_t>(i)];
    FillProgram(*program, i, options, dice);
    programs.push_back(program.get());
    made.push_back(std::move(program));
  }
  AddReferences(programs, options, dice);
  for (int i = 0; i < options.programs; ++i) {
    AttachProgram(project, groups[static_cast<std::size_t>(i % groupCount)],
                  std::move(made[static_cast<std::size_t>(i)]));
  }
}

}  // namespace sw::testing
