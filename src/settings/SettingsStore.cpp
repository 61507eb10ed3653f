#include "settings/SettingsStore.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <variant>

namespace zo::settings {

namespace {

// Reads values one after another until one is missing or of the wrong type.
class Reader {
 public:
  explicit Reader(const RegKey& key) : key_(key) {}

  [[nodiscard]] bool Stopped() const { return stopped_; }

  void String(std::string_view name, std::string& out) {
    if (stopped_) return;
    const RegValue* value = key_.Find(name);
    if (value == nullptr) {
      out.clear();
    } else if (const auto* text = std::get_if<std::string>(value)) {
      out = *text;
    } else {
      stopped_ = true;
    }
  }

  void Dword(std::string_view name, std::uint32_t& out) {
    if (stopped_) return;
    const RegValue* value = key_.Find(name);
    const auto* number = value == nullptr ? nullptr : std::get_if<std::uint32_t>(value);
    if (number == nullptr) {
      stopped_ = true;
    } else {
      out = *number;
    }
  }

  void Integer(std::string_view name, int& out) {
    std::uint32_t raw = static_cast<std::uint32_t>(out);
    Dword(name, raw);
    out = static_cast<std::int32_t>(raw);
  }

  void Flag(std::string_view name, bool& out) {
    std::uint32_t raw = out ? 1 : 0;
    Dword(name, raw);
    out = raw != 0;
  }

 private:
  const RegKey& key_;
  bool stopped_ = false;
};

constexpr std::array<std::string_view, 4> kBoundNames{"WTop", "WLeft", "WWidth", "WHeight"};

std::string SlotName(int kind, std::string_view field) {
  return "W" + std::to_string(kind) + std::string(field);
}

void ReadScope(Reader& in, Settings& s) {
  in.String("DirOpen", s.dirOpen);
  in.String("DirSave", s.dirSave);
  in.Integer("RamIndex", s.ramIndex);
  in.Integer("Help", s.help);
  in.Integer("TrackX", s.trackX);
  in.Flag("LineRPM", s.lineRPM);
  in.Flag("LineLAM", s.lineLAM);
  in.Flag("LineSIM", s.lineSIM);
  in.Flag("LineTPS", s.lineTPS);
  in.Flag("LineMOT", s.lineMOT);
  in.Flag("LinePSI", s.linePSI);
  in.Flag("LineDEF", s.lineDEF);
  in.Flag("LineRAM", s.lineRAM);
  in.Dword("ColorRPM", s.colorRPM);
  in.Dword("ColorLAM1", s.colorLAM1);
  in.Dword("ColorSIM", s.colorSIM);
  in.Dword("ColorTPS", s.colorTPS);
  in.Dword("ColorMOT1", s.colorMOT1);
  in.Dword("ColorDEF", s.colorDEF);
  in.Dword("ColorPSI", s.colorPSI);
  in.Dword("ColorRAM", s.colorRAM);
  in.Integer("Scale", s.scale);
  in.Integer("Vertical", s.vertical);
}

void ReadWindow(Reader& in, Settings& s) {
  in.Integer("FontSize", s.fontSize);
  in.Integer("Lang", s.lang);
  in.Integer("Comm", s.comm);
  in.Integer("VisuSco", s.visuSco);
  in.Integer("WGrid", s.wGrid);
  // The four bounds apply together, once the last of them is read.
  WindowBounds bounds;
  in.Integer("WTop", bounds.top);
  in.Integer("WLeft", bounds.left);
  in.Integer("WWidth", bounds.width);
  in.Integer("WHeight", bounds.height);
  if (in.Stopped()) return;
  s.bounds = bounds;
  in.Integer("WState", s.wState);
  in.Integer("W0State", s.w0State);
  for (const int kind : Settings::kStoredIndicatorKinds) {
    auto& slot = s.indicators[static_cast<std::size_t>(kind)];
    in.Integer(SlotName(kind, "Left"), slot.left);
    in.Integer(SlotName(kind, "Top"), slot.top);
    in.Integer(SlotName(kind, "Width"), slot.width);
    in.Integer(SlotName(kind, "State"), slot.state);
  }
}

void WriteScope(const Settings& s, RegKey& key) {
  key.SetInteger("TrackX", s.trackX);
  key.SetInteger("RamIndex", s.ramIndex);
  key.SetInteger("Help", s.help);
  for (const auto& [name, on] : {std::pair{"LineRPM", s.lineRPM},
                                 {"LineLAM", s.lineLAM},
                                 {"LineSIM", s.lineSIM},
                                 {"LineTPS", s.lineTPS},
                                 {"LineMOT", s.lineMOT},
                                 {"LinePSI", s.linePSI},
                                 {"LineDEF", s.lineDEF},
                                 {"LineRAM", s.lineRAM}})
    key.SetDword(name, on ? 1 : 0);
  for (const auto& [name, colour] : {std::pair{"ColorRPM", s.colorRPM},
                                     {"ColorLAM1", s.colorLAM1},
                                     {"ColorSIM", s.colorSIM},
                                     {"ColorTPS", s.colorTPS},
                                     {"ColorMOT1", s.colorMOT1},
                                     {"ColorDEF", s.colorDEF},
                                     {"ColorPSI", s.colorPSI},
                                     {"ColorRAM", s.colorRAM}})
    key.SetDword(name, colour);
  key.SetInteger("Scale", s.scale);
  key.SetInteger("Vertical", s.vertical);
}

void WriteWindow(const Settings& s, bool controllerIdentified, RegKey& key) {
  key.SetInteger("FontSize", s.fontSize);
  key.SetInteger("Lang", s.lang);
  if (!controllerIdentified) key.SetDword("AutoScan", 0);
  key.SetInteger("Comm", s.comm);
  key.SetInteger("VisuSco", s.visuSco);
  key.SetInteger("WGrid", s.wGrid);
  key.SetInteger("WState", s.wState);
  // A maximised window keeps the bounds of the last run that ended
  // unmaximised; only when there are none its normal bounds go in, so that
  // the values stored after them are read at the next start.
  const bool boundsStored = std::all_of(kBoundNames.begin(), kBoundNames.end(), [&key](auto name) {
    const RegValue* value = key.Find(name);
    return value != nullptr && std::holds_alternative<std::uint32_t>(*value);
  });
  if (s.bounds && (s.wState != Settings::kMaximised || !boundsStored)) {
    key.SetInteger("WTop", s.bounds->top);
    key.SetInteger("WLeft", s.bounds->left);
    key.SetInteger("WWidth", s.bounds->width);
    key.SetInteger("WHeight", s.bounds->height);
  }
  key.SetInteger("W0State", s.w0State);
  for (const int kind : Settings::kStoredIndicatorKinds) {
    const auto& slot = s.indicators[static_cast<std::size_t>(kind)];
    key.SetInteger(SlotName(kind, "Left"), slot.left);
    key.SetInteger(SlotName(kind, "Top"), slot.top);
    key.SetInteger(SlotName(kind, "Width"), slot.width);
    key.SetInteger(SlotName(kind, "State"), slot.state);
  }
}

}  // namespace

Settings SettingsStore::Read(const std::optional<RegKey>& key, const std::string& programFolder) {
  Settings settings(programFolder);
  if (key) {
    Reader in(*key);
    ReadScope(in, settings);
    ReadWindow(in, settings);
    // Written after everything else and read on their own: a settings file
    // from before they existed, or one that stopped early, still has them.
    Reader workshop(*key);
    workshop.String("WorkshopName", settings.workshopName);
    workshop.String("WorkshopAddress", settings.workshopAddress);
  }
  settings.ApplyLimits();
  return settings;
}

void SettingsStore::Write(const Settings& settings, const std::string& programFolder,
                          bool controllerIdentified, RegKey& key) {
  key.SetString("Dir", programFolder);
  key.SetString("DirOpen", settings.dirOpen);
  key.SetString("DirSave", settings.dirSave);
  WriteScope(settings, key);
  WriteWindow(settings, controllerIdentified, key);
  key.SetString("WorkshopName", settings.workshopName);
  key.SetString("WorkshopAddress", settings.workshopAddress);
}

int SettingsStore::RamIndexFromText(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() ? value : 0;
}

}  // namespace zo::settings
