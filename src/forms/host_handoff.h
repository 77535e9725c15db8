// The hand-off to the host: the exchange file read at start-up, and on
// closing the "h/" lines through which the host goes on with the picked BAT
// file.
#pragma once

#include <string>

#include "exchange/exchange_reader.h"
#include "platform/file_system.h"
#include "platform/services.h"

namespace zorbi {

class StartupPreload;

inline constexpr std::string_view HostUnstableMessage =
    "JW_WINの動作が不安定になっています、Z_Orbiの実行はキャンセルしてください。\r\n\r\n"
    "また、編集中のファイルは保存してJW_WINを立上げなおしてください。";
inline constexpr std::string_view ExchangeDamagedMessage = "が壊れているか、見つかりません";
inline constexpr std::string_view UnchainablePathMessage =
    "選択項目のパスに改行などの制御文字が含まれているため、JW_WINに渡しません。";

class HostHandoff {
 public:
  HostHandoff(FileSystem& files, MessageBoxes& messages) : files_(files), messages_(messages) {}

  // The file as read while the window was built, taken when it is `path`.
  void UsePreload(StartupPreload* preload) { preload_ = preload; }
  // Reads the exchange file and says what is wrong with it.
  void Read(const std::string& path);
  // The file was read whole: the close may hand a BAT file over.
  bool Loaded() const { return loaded_; }
  // The host is unstable: only キャンセル may end the run.
  bool Unstable() const { return !loaded_ && exchange_.ExchangeStatus == kExchangeReadError; }
  const ExchangeState& Exchange() const { return exchange_; }

  // Writes the lines that chain `batPath`; false when the write failed and
  // the user chose to stay. A path the host could take for commands is not
  // chained (said), and the close goes on.
  bool Chain(const std::string& path, const std::string& batPath, bool info);
  void Release() { FreeExchangeLists(exchange_); }

 private:
  FileSystem& files_;
  MessageBoxes& messages_;
  StartupPreload* preload_ = nullptr;
  ExchangeState exchange_;  // its ExchangeStatus tells why a read failed
  bool loaded_ = false;
};

}  // namespace zorbi
