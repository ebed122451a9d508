// Settings as the host will store them, keyframes, and the info / --params JSON.
#include "fxhost/cli/param_setting.h"

#include <gtest/gtest.h>

#include <map>

#include "effect_params.h"
#include "fxhost/cli/input_error.h"
#include "fxhost/commands/plugin_info_json.h"

namespace fxhost {
namespace {

const std::vector<ParamInfo> kParams = testing::EffectParams();

ParamSetting Set(std::string_view argument) {
  return ParseSetArgument(argument, kParams);
}

TEST(ParamSetting, ValuesConvertToWhatTheHostStores) {
  struct Case {
    const char* argument;
    int index;
    double displayed;
    std::int32_t stored;
  };
  const std::vector<Case> cases = {
      {"Missing Tile=50", 2, 50, 50 * 65536},
      {"Missing Tile=100", 2, 100, 0x640000},
      {"Missing Tile=12.5%", 2, 12.5, 819200},
      {"Row=4", 6, 4, 4},
      {"Row=+5000", 6, 5000, 5000},
      {"Return=on", 8, 1, 1},
      {"Return=OFF", 8, 0, 0},
      {"Fit=true", 5, 1, 1},
      {"Fit=0", 5, 0, 0},
      {"Position=Behind", 4, 2, 2},
      {"position=in front", 4, 1, 1},  // names and labels match ignoring case when unique
      {"Position=2", 4, 2, 2},
      {" Seed = 17 ", 9, 17, 17},
  };
  for (const Case& c : cases) {
    const ParamSetting s = Set(c.argument);
    EXPECT_EQ(s.index, c.index) << c.argument;
    EXPECT_FALSE(s.animated) << c.argument;
    EXPECT_EQ(ValueAt(s, 123), c.displayed) << c.argument;
    EXPECT_EQ(StoredInteger(s.type, ValueAt(s, 0)), c.stored) << c.argument;
  }
  EXPECT_EQ(ValueAt(Set("Time=-2.75"), 0), -2.75);
}

TEST(ParamSetting, KeyframesAreLinearForSlidersHeldForChoicesAndHeldOutside) {
  const ParamSetting time = Set("Time=10@24,0@0, 4@12");  // keys in any order
  ASSERT_TRUE(time.animated);
  EXPECT_EQ(time.keys, (std::vector<Keyframe>{{0, 0}, {12, 4}, {24, 10}}));
  struct Sample {
    double frame;
    double value;
  };
  for (const Sample& s :
       std::vector<Sample>{{-5, 0}, {0, 0}, {6, 2}, {12, 4}, {18, 7}, {24, 10}, {100, 10}}) {
    EXPECT_DOUBLE_EQ(ValueAt(time, s.frame), s.value) << s.frame;
  }

  const ParamSetting position = Set("Position=In front@0,Behind@10");
  EXPECT_EQ(ValueAt(position, 9.9), 1);
  EXPECT_EQ(ValueAt(position, 10), 2);
  const ParamSetting fit = Set("Fit=off@0,on@4");
  EXPECT_EQ(ValueAt(fit, 3), 0);
  EXPECT_EQ(ValueAt(fit, 4), 1);

  // A whole-number slider between keys: the host rounds the interpolated value.
  EXPECT_EQ(StoredInteger(ParamType::kSlider, ValueAt(Set("Row=2@0,5@4"), 1)), 3);  // 2.75
}

TEST(ParamSetting, LayersTakeFilesOrTheTestCardNeverKeyframes) {
  EXPECT_EQ(Set("Missing Tile Layer=testcard:640x360").layer.kind, LayerSource::Kind::kTestCard);
  EXPECT_EQ(Set("Missing Tile Layer=testcard:640x360").layer.size, (ImageSize{640, 360}));
  // '@' and ',' are ordinary characters of a file name.
  const ParamSetting logo = Set("Missing Tile Layer=logo@2x,v1.png");
  EXPECT_EQ(logo.layer.kind, LayerSource::Kind::kFile);
  EXPECT_EQ(logo.layer.path, "logo@2x,v1.png");
  EXPECT_EQ(Set("Missing Tile Layer=shot_####.exr").layer.kind, LayerSource::Kind::kSequence);
  EXPECT_EQ(Set("Missing Tile Layer=").layer.kind, LayerSource::Kind::kNone);
  // "none", as info shows the default, clears the layer; a file of that name is "./none".
  for (const char* none : {"Missing Tile Layer=none", "Missing Tile Layer= None "})
    EXPECT_EQ(Set(none).layer.kind, LayerSource::Kind::kNone) << none;
  EXPECT_EQ(Set("Missing Tile Layer=./none").layer.kind, LayerSource::Kind::kFile);
  const auto from_file = SettingsFromJson(
      nlohmann::json::parse(R"({"parameters": [{"name": "Missing Tile Layer", "value": "none"}]})"), kParams,
      "p.json");
  ASSERT_EQ(from_file.size(), 1u);
  EXPECT_EQ(from_file[0].layer.kind, LayerSource::Kind::kNone);
}

TEST(ParamSetting, LaterSettingsOfAParameterReplaceEarlierOnes) {
  std::vector<ParamSetting> settings;
  MergeSetting(settings, Set("Row=4"));
  MergeSetting(settings, Set("Seed=3"));
  MergeSetting(settings, Set("Row=6"));
  ASSERT_EQ(settings.size(), 2u);
  EXPECT_EQ(ValueAt(settings[0], 0), 6);
}

PluginDescription Plugin() {
  return {"Zelkra15puzzle_CS5.so", "Zelkra15puzzle v1.0", {{"name", "Zelkra15puzzle"}}, kParams};
}

TEST(ParamsJson, InfoOutputReadsBackAsTheSameSettings) {
  std::vector<ParamSetting> settings;
  for (const char* a : {"Time=0@0,2.5@24", "Missing Tile=37.5", "Missing Tile Layer=testcard:64x48",
                        "Position=Behind", "Fit=on", "Row=5", "Seed=0@0,9@9"}) {
    MergeSetting(settings, Set(a));
  }
  const nlohmann::json info = InfoJson(Plugin(), settings);
  // Through text, as a file would be.
  const std::vector<ParamSetting> read =
      SettingsFromJson(nlohmann::json::parse(info.dump()), kParams, "info.json");

  ASSERT_EQ(read.size(), kParams.size());  // every entry carries its value
  for (const ParamSetting& original : settings) {
    const auto found = std::find_if(read.begin(), read.end(),
                                    [&](const ParamSetting& s) { return s.index == original.index; });
    ASSERT_NE(found, read.end()) << original.name;
    EXPECT_EQ(found->animated, original.animated) << original.name;
    EXPECT_EQ(found->keys, original.keys) << original.name;
    EXPECT_EQ(found->layer, original.layer) << original.name;
  }
  // Unset parameters come back at their defaults.
  const auto column =
      std::find_if(read.begin(), read.end(), [](const ParamSetting& s) { return s.name == "Column"; });
  EXPECT_EQ(ValueAt(*column, 0), 4);

  EXPECT_EQ(info["parameters"][1]["type"], "fixed_slider");
  EXPECT_EQ(info["parameters"][1]["value"], 37.5);
  EXPECT_EQ(info["parameters"][3]["choices"], nlohmann::json({"In front", "Behind"}));
  EXPECT_EQ(info["parameters"][4]["value"], true);
  EXPECT_TRUE(info["parameters"][0].contains("keyframes"));
}

TEST(ParamsJson, EntriesInEveryAcceptedFormAndTheirErrors) {
  const auto settings = SettingsFromJson(nlohmann::json::parse(R"({"parameters": [
      {"name": "Row", "value": 7},
      {"index": 9, "value": "2@0,4@10"},
      {"name": "Return", "value": true},
      {"name": "Missing Tile Layer", "value": null},
      {"name": "Time", "keyframes": [{"frame": 10, "value": 1}, {"frame": 0, "value": 0}]},
      {"name": "Column"}
  ]})"),
                                         kParams, "p.json");
  ASSERT_EQ(settings.size(), 5u);  // Column carries no value: left as it is
  EXPECT_EQ(ValueAt(settings[0], 0), 7);
  EXPECT_EQ(ValueAt(settings[1], 5), 3);
  EXPECT_EQ(ValueAt(settings[2], 0), 1);
  EXPECT_EQ(settings[3].layer.kind, LayerSource::Kind::kNone);
  EXPECT_EQ(ValueAt(settings[4], 5), 0.5);

  struct Case {
    const char* document;
    const char* fragment;
  };
  const std::vector<Case> cases = {
      {R"([1, 2])", "expected an object with a \"parameters\" list"},
      {R"({"parameters": [{"value": 3}]})", "parameters[0]: neither \"name\" nor \"index\""},
      {R"({"parameters": [{"name": "Row", "index": 7, "value": 3}]})", "index 7 is \"Column\", not \"Row\""},
      {R"({"parameters": [{"index": 42, "value": 3}]})", "no parameter has index 42"},
      {R"({"parameters": [{"name": "Rows", "value": 3}]})", "unknown parameter \"Rows\""},
      {R"({"parameters": [{"name": "Row", "value": [3]}]})", "a value must be a number"},
      {R"({"parameters": [{"name": "Row", "value": 9000}]})", "outside the valid range"},
      {R"({"parameters": [{"name": "Missing Tile Layer", "value": 3}]})", "takes a file name"},
      {R"({"parameters": [{"name": "Time", "keyframes": [{"frame": 1.5, "value": 0}]}]})",
       "\"frame\" is not a whole number"},
      {R"({"parameters": [{"name": "Time", "keyframes": [{"frame": 1, "value": 0}, {"frame": 1, "value": 2}]}]})",
       "frame 1 has two keys"},
  };
  for (const Case& c : cases) {
    try {
      SettingsFromJson(nlohmann::json::parse(c.document), kParams, "p.json");
      ADD_FAILURE() << c.document << " was accepted";
    } catch (const InputError& e) {
      EXPECT_NE(std::string(e.what()).find(c.fragment), std::string::npos)
          << c.document << "\n  gave: " << e.what();
      EXPECT_NE(std::string(e.what()).find("--params \"p.json\""), std::string::npos) << e.what();
    }
  }
}

TEST(ParamsJson, InfoTableListsEveryParameter) {
  const std::string table = InfoTable(Plugin());
  for (const char* text : {"Zelkra15puzzle v1.0", "Missing Tile Layer", "fixed_slider", "-100000 to 100000",
                           "0 to 100 %", "1 \"In front\", 2 \"Behind\"", "name: Zelkra15puzzle"}) {
    EXPECT_NE(table.find(text), std::string::npos) << text << "\n" << table;
  }
}

// Each parameter's entry in the "Value" column of an info table, by name.
std::map<std::string, std::string> ValueColumn(const std::string& table) {
  const std::size_t header = table.find("  #  Name");
  const std::size_t value_column = table.find("Value", header) - header;
  const std::size_t controls_column = table.find("Controls", header) - header;
  std::map<std::string, std::string> values;
  for (std::size_t row = table.find('\n', header) + 1; row < table.size();) {
    const std::string line = table.substr(row, table.find('\n', row) - row);
    row += line.size() + 1;
    std::string value = line.substr(value_column, controls_column - value_column);
    value.erase(value.find_last_not_of(' ') + 1);
    for (const ParamInfo& p : kParams) {
      if (line.find("  " + p.name + "  ") != std::string::npos) values[p.name] = value;
    }
  }
  return values;
}

// The table's "Value" column: the setting made, keyframes as --set takes them, else the default.
TEST(ParamsJson, InfoTableShowsEachParametersCurrentValue) {
  std::vector<ParamSetting> settings;
  for (const char* a : {"Time=0@0,2.5@24", "Missing Tile=37.5", "Missing Tile Layer=testcard:64x48",
                        "Position=Behind", "Fit=on", "Return=off@0,on@5", "Row=5"}) {
    MergeSetting(settings, Set(a));
  }
  const std::map<std::string, std::string> expected{
      {"Time", "0@0,2.5@24"},
      {"Missing Tile", "37.5 %"},
      {"Missing Tile Layer", "testcard:64x48"},
      {"Position", "2 \"Behind\""},
      {"Fit", "on"},
      {"Row", "5"},
      {"Column", "4"},  // the default
      {"Return", "off@0,on@5"},
      {"Seed", "0"},
  };
  const std::string table = InfoTable(Plugin(), settings);
  EXPECT_EQ(ValueColumn(table), expected) << table;

  MergeSetting(settings, Set("Missing Tile Layer=none"));
  EXPECT_EQ(ValueColumn(InfoTable(Plugin(), settings))["Missing Tile Layer"], "none");
}

}  // namespace
}  // namespace fxhost
