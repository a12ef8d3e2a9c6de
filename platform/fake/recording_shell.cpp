#include "platform/fake/recording_shell.h"

namespace platform::fake {

RecordingShell::RecordingShell() {
  previous_ = SetCommandRunner([this](const CommandRequest& request) { return Answer(request); });
}

RecordingShell::~RecordingShell() { SetCommandRunner(std::move(previous_)); }

void RecordingShell::ChooseFile(const std::filesystem::path& path) {
  dialog_ = Dialog::Chosen;
  chosen_ = path.string();
}

void RecordingShell::CancelDialog() { dialog_ = Dialog::Cancelled; }

void RecordingShell::NoDialogProgram() { dialog_ = Dialog::Missing; }

CommandResult RecordingShell::Answer(const CommandRequest& request) {
  commands_.push_back(request.argv);
  CommandResult result;
  const std::string program = request.argv.empty() ? std::string() : request.argv[0];
  if (request.detached) {
    detached_.push_back(request.argv);
    result.started = detachedStarts_;
    result.stillRunning = detachedStarts_;
  } else if (program == "xdg-open") {
    result.started = true;
    result.exitCode = openSucceeds_ ? 0 : 3;
  } else if (program == "xdg-email" && mail_ != Mail::Missing) {
    result.started = true;
    result.exitCode = mail_ == Mail::Opens ? 0 : 3;
  } else if (program == "zenity" && dialog_ != Dialog::Missing) {
    result.started = true;
    result.exitCode = dialog_ == Dialog::Chosen ? 0 : 1;
    if (dialog_ == Dialog::Chosen) result.output = chosen_ + "\n";
  }
  return result;
}

}  // namespace platform::fake
