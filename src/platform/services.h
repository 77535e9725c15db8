// Operating-system services the form logic uses besides files.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.h"

namespace zorbi {

// The caption of the program's message boxes.
inline constexpr std::string_view ApplicationTitle = "Z_ORBI";

enum class MessageKind { Plain, Information, Warning, Error };

// The answer to a question with はい, いいえ and キャンセル, or OK to a report.
enum class Answer { Yes, No, Cancel, Ok };

// The buttons under a message with a list. Enter presses the first, except
// in YesNoSafe, a question whose はい replaces what the user has: there Enter,
// like Esc, answers いいえ.
enum class Answers { Ok, YesNo, YesNoSafe, YesNoCancel };

// Modal message boxes owned by the main window, captioned with the
// application title.
struct MessageBoxes {
  // One OK button.
  virtual void ShowMessage(const std::string& text, MessageKind kind) = 0;
  // An information box with OK and Cancel; true only for OK.
  virtual bool Confirm(const std::string& text) = 0;
  // With the system's Yes and No (はい and いいえ on a Japanese system); true
  // for Yes. A text that names its buttons goes to ShowList instead.
  virtual bool Ask(const std::string& text, MessageKind kind) = 0;
  // With Yes, No and Cancel; the close box answers Cancel.
  virtual Answer AskOrCancel(const std::string& text, MessageKind kind) = 0;
  // A short message above a list of any length (paths, lines of a file) that
  // scrolls inside the screen and can be selected and copied; with no lines,
  // the message alone. The buttons are our own, captioned はい, いいえ and
  // キャンセル on any system. A question shows the question icon; Esc and the
  // close box give the safe answer: いいえ for YesNo, キャンセル for
  // YesNoCancel, OK for Ok.
  virtual Answer ShowList(const std::string& text, const std::vector<std::string>& lines,
                          MessageKind kind, Answers answers) = 0;
  virtual ~MessageBoxes() = default;
};

struct OpenDialogOptions {
  std::string Filter;  // "description|pattern"
  std::string InitialDir;
  bool MultiSelect = false;
  bool FileMustExist = false;
};

struct ChosenFile {
  std::string Path;  // CP932; empty when the name has no CP932 form
  bool Representable = true;
  std::string DisplayName;  // for messages, with unrepresentable characters replaced
};

struct FileDialogs {
  // The chosen files in the dialog's order, or nullopt when cancelled.
  virtual std::optional<std::vector<ChosenFile>> OpenFiles(const OpenDialogOptions& options) = 0;
  // A folder, or nullopt when cancelled. `title` is shown above the choice.
  virtual std::optional<ChosenFile> ChooseFolder(const std::string& title,
                                                 const std::string& initialDir) = 0;
  virtual ~FileDialogs() = default;
};

struct FontDialogs {
  // Only fonts that exist, in sizes from minSize to maxSize points; nullopt
  // when cancelled. A face whose name has no Shift-JIS form comes back with
  // an empty Name.
  virtual std::optional<FontSpec> PickFont(const FontSpec& initial, int minSize, int maxSize) = 0;
  virtual ~FontDialogs() = default;
};

// What long work reports while it runs.
struct ProgressSink {
  // `done` of `total` steps (`total` 0: not known yet); `text` says what is
  // being done. False once the user has cancelled: the work then stops soon.
  virtual bool Report(std::int64_t done, std::int64_t total, const std::string& text) = 0;
  virtual ~ProgressSink() = default;
};

struct ProgressRunner {
  // Runs `work` on another thread and returns when it ends. While it runs the
  // main window takes no input; when it runs longer than a moment a window
  // captioned `title` shows its progress with a キャンセル button. `work`
  // must not touch controls or the catalogue.
  virtual void Run(const std::string& title, const std::function<void(ProgressSink&)>& work) = 0;
  virtual ~ProgressRunner() = default;
};

struct ScreenRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// A moment as a calendar shows it.
struct CalendarTime {
  int Year = 1970, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0;
};

// `unixTime` (seconds since 1970 UTC) as a UTC calendar time.
inline CalendarTime UtcCalendarTime(std::int64_t unixTime) {
  const std::int64_t secs = ((unixTime % 86400) + 86400) % 86400;
  // Days to a civil date, counted in 400-year eras from 0000-03-01.
  const std::int64_t z = (unixTime - secs) / 86400 + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0)),
          static_cast<int>(month),
          static_cast<int>(doy - (153 * mp + 2) / 5 + 1),
          static_cast<int>(secs / 3600),
          static_cast<int>(secs / 60 % 60),
          static_cast<int>(secs % 60)};
}

struct System {
  // The program's own full path (CP932).
  virtual std::string ExePath() = 0;
  // The desktop area not covered by task bars.
  virtual ScreenRect WorkArea() = 0;
  // Seconds since 1970 UTC.
  virtual std::int64_t UnixTime() { return static_cast<std::int64_t>(std::time(nullptr)); }
  // `unixTime` in the user's time zone; here read as UTC.
  virtual CalendarTime LocalTimeAt(std::int64_t unixTime) { return UtcCalendarTime(unixTime); }
  virtual ~System() = default;
};

// Other programs, started and left to run on their own.
struct Processes {
  // Starts a command line (CP932) in this program's working folder and
  // environment without waiting for it; false when it could not be started.
  virtual bool Start(const std::string& commandLine) = 0;
  // An environment variable (CP932), nullopt when it is not set.
  virtual std::optional<std::string> EnvironmentVariable(const std::string& name) = 0;
  virtual ~Processes() = default;
};

}  // namespace zorbi
