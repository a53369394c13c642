#include "ui/qt/CommandLine.h"

#include <array>
#include <string_view>

#ifndef QUENLOW_VERSION
#error "the build gives the game's version"
#endif

namespace quenlow {
namespace {

constexpr std::string_view kUsage =
    "Usage: quenlow [--help] [--version]\n"
    "Quenlow, a puzzle of letter tiles: join two equal letters by a path of at most three\n"
    "straight segments through empty cells, and they vanish.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "\n"
    "Keys: F2, F3, F4 start an easy, normal or hard game; F6 removes one pair; F7 shows a hint;\n"
    "F8 shuffles; F9 pauses and resumes. See quenlow(6).\n";

struct ToolkitOption {
  std::string_view name;
  bool takesValue;
};
// The options the toolkit reads itself; they are left to it.
constexpr std::array<ToolkitOption, 15> kToolkitOptions{{
    {"-platform", true},
    {"-platformpluginpath", true},
    {"-platformtheme", true},
    {"-plugin", true},
    {"-display", true},
    {"-session", true},
    {"-style", true},
    {"-stylesheet", true},
    {"-qwindowgeometry", true},
    {"-qwindowicon", true},
    {"-qwindowtitle", true},
    {"-reverse", false},
    {"-widgetcount", false},
    {"-nograb", false},
    {"-dograb", false},
}};

// The toolkit takes its options with one dash or two, and "-style=fusion" as well.
const ToolkitOption* FindToolkitOption(std::string_view arg, bool& valueAttached) {
  if (arg.starts_with("--")) arg.remove_prefix(1);
  const std::size_t equals = arg.find('=');
  valueAttached = equals != std::string_view::npos;
  if (valueAttached) arg = arg.substr(0, equals);
  for (const ToolkitOption& option : kToolkitOptions) {
    if (option.name == arg && (option.takesValue || !valueAttached)) return &option;
  }
  return nullptr;
}

CommandLineAnswer Mistake(const std::string& what) {
  return {true, 2, {}, "quenlow: " + what + "\n" + std::string(kUsage)};
}

}  // namespace

std::string VersionLine() {
  return std::string("quenlow ") + QUENLOW_VERSION;
}

std::string NoDisplayLine() {
  return "quenlow: cannot open a display (no X server or Wayland compositor could be reached; "
         "is DISPLAY or WAYLAND_DISPLAY set?)";
}

CommandLineAnswer ReadCommandLine(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-h" || arg == "--help") return {true, 0, std::string(kUsage), {}};
    if (arg == "-v" || arg == "--version") return {true, 0, VersionLine() + "\n", {}};
    bool valueAttached = false;
    if (const ToolkitOption* option = FindToolkitOption(arg, valueAttached)) {
      if (option->takesValue && !valueAttached) {
        if (i + 1 == argc) return Mistake("the option " + std::string(arg) + " needs a value");
        ++i;
      }
      continue;
    }
    if (arg.starts_with("-")) return Mistake("unknown option " + std::string(arg));
    return Mistake("unexpected argument " + std::string(arg));
  }
  return {};
}

}  // namespace quenlow
