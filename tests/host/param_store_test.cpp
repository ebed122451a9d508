// The parameter store: copies of what was declared, and values between keyframes.
#include "host/param_store.h"

#include <cstring>

#include "plugin_under_test.h"

namespace {

PF_ParamDef Declaration(PF_ParamType type, const char* name) {
  PF_ParamDef def{};
  def.param_type = type;
  std::strncpy(def.name, name, sizeof(def.name) - 1);
  return def;
}

TEST(ParamStore, KeepsCopiesOfTheDeclaredStrings) {
  host::ParamStore store;
  char choices[] = "One|Two";
  char label[] = "Label";
  PF_ParamDef popup = Declaration(PF_Param_POPUP, "Choice");
  popup.u.pd.namesptr = choices;
  popup.u.pd.num_choices = 2;
  PF_ParamDef checkbox = Declaration(PF_Param_CHECKBOX, "Box");
  checkbox.u.bd.nameptr = label;
  ASSERT_EQ(store.declare(popup), PF_Err_NONE);
  ASSERT_EQ(store.declare(checkbox), PF_Err_NONE);
  std::memset(choices, 'x', sizeof(choices) - 1);
  std::memset(label, 'x', sizeof(label) - 1);

  EXPECT_STREQ(store.at(1).def.u.pd.namesptr, "One|Two");
  EXPECT_STREQ(store.at(2).def.u.bd.nameptr, "Label");
  EXPECT_EQ(store.find("Box"), 2);
  EXPECT_EQ(store.declare(Declaration(99, "Odd")), PF_Err_UNRECOGNIZED_PARAM_TYPE);
  EXPECT_EQ(store.size(), 3u);
}

TEST(ParamStore, InterpolatesBetweenKeysAndHoldsOutside) {
  host::ParamStore store;
  ASSERT_EQ(store.declare(Declaration(PF_Param_SLIDER, "Slider")), PF_Err_NONE);
  ASSERT_EQ(store.declare(Declaration(PF_Param_CHECKBOX, "Box")), PF_Err_NONE);
  store.set_keyframes(1, {{2.0, 20.0}, {0.0, 0.0}, {4.0, 10.0}});  // any order
  store.set_keyframes(2, {{0.0, 0.0}, {1.0, 1.0}});

  struct Case {
    PF_ParamIndex index;
    double seconds, value;
  };
  for (const Case& c : {Case{1, -1, 0}, Case{1, 0.5, 5}, Case{1, 2, 20}, Case{1, 3, 15}, Case{1, 9, 10},
                        Case{2, 0.99, 0}, Case{2, 1, 1}}) {
    EXPECT_DOUBLE_EQ(store.value_at(c.index, c.seconds), c.value) << c.index << " at " << c.seconds;
  }
  PF_ParamDef def{};
  store.checkout(1, 0.25, def);
  EXPECT_EQ(def.u.sd.value, 3);  // 2.5 rounds away from zero
  store.set_value(1, 7);
  EXPECT_DOUBLE_EQ(store.value_at(1, 3), 7);
}

}  // namespace
