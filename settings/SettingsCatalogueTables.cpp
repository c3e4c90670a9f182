#include "settings/SettingsCatalogueTables.h"

#include <array>

namespace SettingsCatalogue {
namespace {

struct TimingSetting {
  const char* name;
  const char* unit;
};

// Row 8 counts single milliseconds, row 6 minutes; the rest tens of ms. The
// scaling lives with the register image and follows the row number.
constexpr std::array<TimingSetting, kTimingRows> kTimingSettings = {{
    {"nst_trSZR", "ms"},  {"nst_tgSZR", "ms"}, {"nst_trSZRA", "ms"}, {"nst_tgSZRA", "ms"},
    {"nst_trSPP", "ms"},  {"nst_twSPP", "min"}, {"nst_trAZZ", "ms"}, {"nst_tgAZZ", "ms"},
    {"nst_tgPPZ", "ms"},  {"nst_ti", "ms"},     {"nst_toz", "ms"},   {"nst_toza", "ms"},
    {"nst_top", "ms"},    {"nst_towa", "ms"},   {"nst_tU", "ms"},    {"nst_tip", "ms"},
    {"nst_tos", "ms"},    {"nst_rez_1", ""},    {"nst_rez_2", ""},   {"nst_rez_3", ""},
}};

QString Numbered(const char* prefix, int k, const char* suffix = "") {
  return QString::fromLatin1(prefix) + QString::number(k) + QString::fromLatin1(suffix);
}

}  // namespace

QString TimingName(int row) {
  if (row < 1 || row > kTimingRows) return {};
  return QString::fromLatin1(kTimingSettings[std::size_t(row - 1)].name);
}

QString TimingUnit(int row) {
  if (row < 1 || row > kTimingRows) return {};
  return QString::fromLatin1(kTimingSettings[std::size_t(row - 1)].unit);
}

QString DefaultCaption(int box) {
  if (box < kFirstProgramBox || box > kLastProgramBox) return {};
  if (box <= 820) return Numbered("nast_SZR", box - 800);
  if (box <= 830) return Numbered("nast_PPZ", box - 820, "w");
  if (box <= 840) return Numbered("nast_PPZ", box - 830, "sb");
  if (box <= 860) return Numbered("nast_SPP", box - 840, "w");
  if (box <= 880) return Numbered("nast_SPP", box - 860, "sb");
  if (box <= 890) return Numbered("nast_rez", box - 880);
  switch (box) {
    case 891: return QStringLiteral("nast_SZR");
    case 892: return QStringLiteral("nast_SZRA");
    case 893: return QStringLiteral("nast_PPZ");
    case 894: return QStringLiteral("nast_SPP");
    case 895: return QStringLiteral("nast_AZZ");
    case 901: return QStringLiteral("nast_bl_po_SZR");
    case 902: return QStringLiteral("nast_bl_po_odc");
    default: break;
  }
  if (box <= 900) return Numbered("nast_rez", box - 885);  // 896..900: rez11..rez15
  return Numbered("nast_rez", box - 887);                  // 903..910: rez16..rez23
}

}  // namespace SettingsCatalogue
