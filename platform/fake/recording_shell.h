// Records the outside programs the code starts instead of starting them, for
// as long as it lives, and answers them as the test scripts it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace platform::fake {

class RecordingShell {
 public:
  RecordingShell();
  ~RecordingShell();
  RecordingShell(const RecordingShell&) = delete;
  RecordingShell& operator=(const RecordingShell&) = delete;

  // Every argument vector, in order.
  const std::vector<std::vector<std::string>>& commands() const { return commands_; }
  // The argument vectors of the detached starts among them.
  const std::vector<std::vector<std::string>>& detached() const { return detached_; }

  // How the file dialog answers (default: no dialog program installed).
  void ChooseFile(const std::filesystem::path& path);
  void CancelDialog();
  void NoDialogProgram();

  // How xdg-open answers (default: success).
  void FailOpening() { openSucceeds_ = false; }

  // How xdg-email answers (default: the composer opens).
  void FailMail() { mail_ = Mail::Fails; }
  void NoMailProgram() { mail_ = Mail::Missing; }
  // How detached starts answer (default: started).
  void FailDetachedStarts() { detachedStarts_ = false; }

 private:
  CommandResult Answer(const CommandRequest& request);

  enum class Dialog { Missing, Chosen, Cancelled };
  enum class Mail { Opens, Fails, Missing };
  std::vector<std::vector<std::string>> commands_;
  std::vector<std::vector<std::string>> detached_;
  Dialog dialog_ = Dialog::Missing;
  std::string chosen_;
  bool openSucceeds_ = true;
  Mail mail_ = Mail::Opens;
  bool detachedStarts_ = true;
  CommandRunner previous_;
};

}  // namespace platform::fake
