// The failure sweep, the way the most trusted C libraries test every allocation: each command
// sequence the plug-in answers is run once cleanly to count the host's operations; then, for every
// operation and every k up to its count, the k-th call is made to fail once, and again from the k-th
// call on, each in a fresh host. Every run must end with no exception, nothing held beyond what a
// refused release kept, no misuse of the host, results and messages the plug-in may give, and no
// success where the outcome (the picture, or the controls' visibility) differs from the clean run's.
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <sstream>

#include "fault_accounting.h"
#include "host/host_operations.h"
#include "host/render_frame.h"
#include "params/param_ids.h"
#include "plugin_under_test.h"

namespace {

namespace fa = fault_accounting;

// One command's answer.
struct Answer {
  PF_Cmd cmd;
  PF_Err err;
  std::string message;
};

// What one run of a sequence gave.
struct Outcome {
  std::vector<Answer> answers;
  std::vector<std::byte> picture;  // what the user would see: the frame's pixels, the controls' state
  bool Succeeded() const {
    return std::all_of(answers.begin(), answers.end(), [](const Answer& a) { return a.err == PF_Err_NONE; });
  }
};

// Runs commands the way the application does: a set-up that fails ends the sequence, and each level
// set up is set down again at the end.
class Driver {
 public:
  explicit Driver(host::Effect& effect) : effect_(effect) {}

  bool Note(PF_Cmd cmd, const host::CommandResult& result) {
    outcome_.answers.push_back({cmd, result.err, result.return_msg()});
    return result.err == PF_Err_NONE;
  }
  // The UI update the host sent after the last command, if it sent one.
  void NoteUiUpdate() {
    if (effect_.last_params_ui_update()) Note(PF_Cmd_UPDATE_PARAMS_UI, *effect_.last_params_ui_update());
  }
  bool GlobalSetup() { return global_ = Note(PF_Cmd_GLOBAL_SETUP, effect_.global_setup()); }
  bool ParamsSetup() { return Note(PF_Cmd_PARAMS_SETUP, effect_.params_setup()); }
  bool SequenceSetup() {
    sequence_ = Note(PF_Cmd_SEQUENCE_SETUP, effect_.sequence_setup());
    NoteUiUpdate();
    return sequence_;
  }
  bool SetUp() { return GlobalSetup() && ParamsSetup() && SequenceSetup(); }

  // The visibility of Position and Fit, as part of the outcome.
  void SeeControls() {
    for (PF_ParamIndex index : {kParamPosition, kParamFit})
      outcome_.picture.push_back(std::byte{effect_.param_hidden(index) ? std::uint8_t{1} : std::uint8_t{0}});
  }

  Outcome Finish() {
    if (sequence_) Note(PF_Cmd_SEQUENCE_SETDOWN, effect_.sequence_setdown());
    if (global_) Note(PF_Cmd_GLOBAL_SETDOWN, effect_.global_setdown());
    return std::move(outcome_);
  }

  host::Effect& effect() { return effect_; }
  Outcome& outcome() { return outcome_; }

 private:
  host::Effect& effect_;
  Outcome outcome_;
  bool global_ = false;
  bool sequence_ = false;
};

// A Missing Tile Layer of 2 x 2 pixels for the controls, delivered while `delivering` is set.
host::LayerSource SmallLayer(const bool& delivering) {
  static PF_Pixel pixels[4] = {};
  return [&delivering](PF_ParamIndex index, double, PF_LayerDef& layer) {
    if (index != kParamMissingTileLayer || !delivering) return;
    layer.data = pixels;
    layer.width = 2;
    layer.height = 2;
    layer.rowbytes = 2 * sizeof(PF_Pixel);
  };
}

// The layers every frame of the sweep uses: small, opaque and different at every pixel.
struct Layers {
  host::WorldBuffer input;
  host::WorldBuffer gap;
  Layers() : input(24, 18, host::PixelDepth::k8Bit, 3), gap(10, 7, host::PixelDepth::k8Bit) {
    for (host::WorldBuffer* world : {&input, &gap}) {
      for (A_long y = 0; y < world->height(); ++y) {
        for (A_long x = 0; x < world->width(); ++x) {
          world->At<PF_Pixel>(x, y) = {255, static_cast<A_u_char>(x * 9), static_cast<A_u_char>(y * 13),
                                       static_cast<A_u_char>(x * y)};
        }
      }
    }
  }
};

struct Sequence {
  std::string name;
  // Calls counted from the first frame on (the set-up before it is swept by the set-up sequences).
  bool from_first_frame = false;
  std::function<void(Driver&)> run;
};

Sequence RenderSequence(const Layers& layers, host::PixelDepth depth, bool gap) {
  const char* depth_names[] = {"8-bit", "16-bit", "float"};
  std::string name =
      std::string("render ") + depth_names[static_cast<int>(depth)] + (gap ? " with gap layer" : "");
  return {name, true, [&layers, depth, gap](Driver& d) {
            if (!d.SetUp()) return;
            d.effect().params().set_value(kParamTime, 2.5);
            d.effect().params().set_value(kParamMissingTile, 50);
            d.effect().params().set_value(kParamPosition, kPositionBehind);
            host::FrameRequest request;
            request.depth = depth;
            request.input = &layers.input;
            if (gap) request.layers[kParamMissingTileLayer] = &layers.gap;
            request.output_width = layers.input.width() + 5;
            request.output_row_padding = 2;
            const host::FrameResult frame = host::RenderFrame(d.effect(), request);
            d.Note(PF_Cmd_SMART_PRE_RENDER, frame.pre_render);
            if (frame.render) d.Note(PF_Cmd_SMART_RENDER, *frame.render);
            const std::vector<std::byte> pixels = fa::PixelsOf(frame.output);
            d.outcome().picture.insert(d.outcome().picture.end(), pixels.begin(), pixels.end());
          }};
}

std::vector<Sequence> Sequences(const Layers& layers) {
  static bool delivering = false;
  std::vector<Sequence> sequences = {
      {"global set-up and set-down", false,
       [](Driver& d) {
         d.Note(PF_Cmd_ABOUT, d.effect().about());
         d.GlobalSetup();
       }},
      {"parameter set-up", false,
       [](Driver& d) {
         if (d.GlobalSetup()) d.ParamsSetup();
       }},
      {"sequence set-up, resetup and set-down", false,
       [](Driver& d) {
         if (!d.SetUp()) return;
         d.effect().params().set_value(kParamSeed, 7);
         d.Note(PF_Cmd_USER_CHANGED_PARAM, d.effect().user_changed_param(kParamSeed));  // new sequence data
         d.NoteUiUpdate();
         d.Note(PF_Cmd_SEQUENCE_RESETUP, d.effect().sequence_resetup());
         d.NoteUiUpdate();
       }},
      {"parameter UI updates", false,
       [](Driver& d) {
         delivering = false;
         d.effect().set_layer_source(SmallLayer(delivering));
         if (!d.SetUp()) return;
         d.SeeControls();
         delivering = true;
         d.Note(PF_Cmd_USER_CHANGED_PARAM, d.effect().user_changed_param(kParamMissingTileLayer));
         d.NoteUiUpdate();
         d.SeeControls();
         d.Note(PF_Cmd_USER_CHANGED_PARAM, d.effect().user_changes_param(kParamFit, 1));
         d.NoteUiUpdate();
         delivering = false;
         d.Note(PF_Cmd_USER_CHANGED_PARAM, d.effect().user_changed_param(kParamMissingTileLayer));
         d.NoteUiUpdate();
         d.SeeControls();
       }},
  };
  for (host::PixelDepth depth :
       {host::PixelDepth::k8Bit, host::PixelDepth::k16Bit, host::PixelDepth::kFloat}) {
    for (bool gap : {false, true}) sequences.push_back(RenderSequence(layers, depth, gap));
  }
  return sequences;
}

// The tally of the sweep, printed as its summary line.
struct Tally {
  long points = 0;
  long crashes = 0;
  long leaks = 0;
  long misuses = 0;
  long bad_answers = 0;
  long wrong_successes = 0;
  long known_wrong_successes = 0;
  long unreached = 0;
};

class FaultSweep : public PluginTest {
 protected:
  // One run of `sequence` in a fresh host, with `rule` in its fault plan (none for the clean run).
  // The calls of each operation, as counted from where the rule counts, go to `calls`.
  Outcome Run(const Sequence& sequence, std::optional<host::FaultRule> rule, host::Session& session,
              std::map<std::string, long>* calls = nullptr) {
    host::Effect effect(module_, session);
    if (rule) session.faults().fail(*rule);
    Driver driver(effect);
    sequence.run(driver);
    Outcome outcome = driver.Finish();
    if (calls != nullptr) {
      // A clean run: the calls after the first frame's mark are those of the rule counting from it.
      host::Session counting;
      for (const host::HostOperation& op : host::host_operations()) {
        const long all = session.faults().calls(op.name);
        if (all > 0) (*calls)[std::string(op.name)] = all;
      }
      if (sequence.from_first_frame) {
        host::Effect again(module_, counting);
        Driver d(again);
        if (d.SetUp()) {
          for (auto& [op, n] : *calls) n -= counting.faults().calls(op);
        }
        d.Finish();
      }
    }
    return outcome;
  }

  // Checks one faulted run against the clean one; adds what it finds to `tally`, with a line each.
  // `kept_by_design` handles are held at the end of a clean run too.
  void Check(const Sequence& sequence, const host::FaultRule& rule, const Outcome& clean, long kept_by_design,
             Tally& tally) {
    host::Session session;
    std::ostringstream where;
    where << sequence.name << ": " << rule.op << " #" << rule.nth
          << (rule.repeat == host::Repeat::FromThenOn ? " on" : "");
    ++tally.points;
    Outcome outcome;
    try {
      outcome = Run(sequence, rule, session);
    } catch (const std::exception& e) {
      ++tally.crashes;
      ADD_FAILURE() << where.str() << ": exception " << e.what();
      return;
    }
    if (session.faults().failed(rule.op) == 0) {
      ++tally.unreached;
      ADD_FAILURE() << where.str() << ": the call was never made";
    }
    const long failed_setdowns =
        std::count_if(outcome.answers.begin(), outcome.answers.end(), [](const Answer& a) {
          return a.err != PF_Err_NONE && (a.cmd == PF_Cmd_SEQUENCE_SETDOWN ||
                                          a.cmd == PF_Cmd_GLOBAL_SETDOWN || a.cmd == PF_Cmd_SEQUENCE_RESETUP);
        });
    if (const auto held = fa::UnexplainedHeld(session, failed_setdowns + kept_by_design); !held.empty()) {
      ++tally.leaks;
      ADD_FAILURE() << where.str() << ": still held " << testing::PrintToString(held);
    }
    if (const auto misuse = session.ledger().misuse(); !misuse.empty()) {
      ++tally.misuses;
      ADD_FAILURE() << where.str() << ": host misuse " << testing::PrintToString(misuse);
    }
    for (const Answer& a : outcome.answers) {
      if (!fa::AllowedResult(a.cmd, a.err, is_32bit()) || !fa::AllowedMessage(a.cmd, a.message)) {
        ++tally.bad_answers;
        ADD_FAILURE() << where.str() << ": command " << a.cmd << " answered " << a.err << " \"" << a.message
                      << "\"";
      }
    }
    if (outcome.Succeeded() && outcome.picture != clean.picture) {
      if (fa::KnownWrongSuccess(rule.op)) {
        ++tally.known_wrong_successes;
      } else {
        ++tally.wrong_successes;
        ADD_FAILURE() << where.str() << ": a different outcome reported as success";
      }
    }
  }
};
ZELKRA_FOR_BOTH_VARIANTS(FaultSweep);

TEST_P(FaultSweep, EveryFailurePointOfEverySequenceEndsCleanly) {
  const Layers layers;
  Tally tally;
  long once = 0;
  for (const Sequence& sequence : Sequences(layers)) {
    SCOPED_TRACE(sequence.name);
    host::Session clean_session;
    std::map<std::string, long> calls;
    const Outcome clean = Run(sequence, std::nullopt, clean_session, &calls);
    ASSERT_TRUE(clean.Succeeded()) << "the clean run failed";
    // The 32-bit variant never disposes of its global data (it has no global set-down).
    const long kept_by_design = is_32bit() ? 1 : 0;
    ASSERT_EQ(clean_session.ledger().count(host::Resource::Handle), kept_by_design);
    ASSERT_THAT(clean_session.ledger().held(), testing::SizeIs(kept_by_design));
    ASSERT_THAT(clean_session.ledger().misuse(), testing::IsEmpty());
    for (const auto& [op, count] : calls) {
      for (long k = 1; k <= count; ++k) {
        for (host::Repeat repeat : {host::Repeat::Once, host::Repeat::FromThenOn}) {
          host::FaultRule rule{
              op, k, repeat, fa::kInjectedCode,
              sequence.from_first_frame ? std::string(host::kFirstFrameMark) : std::string()};
          Check(sequence, rule, clean, kept_by_design, tally);
          once += repeat == host::Repeat::Once ? 1 : 0;
        }
      }
    }
  }
  std::printf(
      "fault sweep %s: %ld failure points (%ld once, %ld from then on), %ld crashes, %ld leaks, %ld misuses, "
      "%ld disallowed answers, %ld wrong successes (%ld more known: a failing floor or ceil)\n",
      GetParam().name, tally.points, once, tally.points - once, tally.crashes, tally.leaks, tally.misuses,
      tally.bad_answers, tally.wrong_successes, tally.known_wrong_successes);
  EXPECT_GT(tally.points, 0);
}

// Every operation a sequence calls is one the host lists (and so one --inject-fault accepts).
TEST_P(FaultSweep, EveryOperationCalledIsListed) {
  const Layers layers;
  for (const Sequence& sequence : Sequences(layers)) {
    host::Session session;
    Run(sequence, std::nullopt, session);
    for (const host::Call& call : session.log().calls())
      EXPECT_TRUE(host::is_host_operation(call.op)) << sequence.name << ": " << call.op;
  }
}

}  // namespace
