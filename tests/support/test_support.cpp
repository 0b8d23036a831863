#include "tests/support/test_support.h"

#include <QCoreApplication>
#include <atomic>
#include <filesystem>
#include <fstream>

#include "app/controls/application.h"
#include "app/controls/file_select.h"
#include "core/serial_date.h"

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  const std::string name = "lumograph-test-" + std::to_string(QCoreApplication::applicationPid()) + "-" +
                           std::to_string(counter++);
  const fs::path path = fs::temp_directory_path() / name;
  fs::create_directories(path);
  path_ = path.string();
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
  const std::string path = (fs::path(path_) / name).string();
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return path;
}

double Day(int year, int month, int day) { return EncodeDate(year, month, day); }

FormFixture::FormFixture() {
  platform.today = Day(2020, 6, 1);
  form = std::make_unique<TMainForm>(platform);
  SetWindow(Day(1990, 1, 1), Day(2030, 12, 31));
}

FormFixture::~FormFixture() { form.reset(); }

void FormFixture::ClickWithFile(TButton* button, const std::string& path) {
  platform.fileAnswers.push_back(path);
  RunUserAction([button] { button->Click(); });
}

void FormFixture::SetWindow(double start, double end) {
  form->StartingDate->SetDateTime(start);
  form->EndDate->SetDateTime(end);
}

bool FormFixture::RunInFolderMode(const std::string& path, const std::function<void()>& action) {
  FolderModeScope folder(path);
  return RunUserAction(action);
}
