#include "fxhost/commands/render_layers.h"

#include "fxhost/cli/input_error.h"
#include "fxhost/cli/memory_budget.h"
#include "fxhost/commands/world_image.h"
#include "fxhost/files/colour.h"

namespace fxhost {
namespace {

// Applies each --input-space: "SPACE" to the input layer, "LAYER=SPACE" to a layer parameter's layer.
void ApplyInputSpaces(const Options& options, std::span<const ParamInfo> params,
                      std::span<RenderLayer> layers) {
  for (const std::string& entry : options.input_spaces) {
    const auto equals = entry.find('=');
    PF_ParamIndex index = 0;
    std::string space = entry;
    if (equals != std::string::npos) {
      const ParamInfo& param = FindParam(params, entry.substr(0, equals));
      if (param.type != ParamType::kLayer)
        throw InputError("--input-space: " + param.name + " is not a layer");
      index = param.index;
      space = entry.substr(equals + 1);
    }
    bool found = false;
    for (RenderLayer& layer : layers) {
      if (layer.index != index) continue;
      layer.colour_space = CheckColourSpace(space, "--input-space");
      found = true;
    }
    if (!found) throw InputError("--input-space \"" + entry + "\": that layer parameter has no layer");
  }
}

}  // namespace

std::vector<RenderLayer> OpenRenderLayers(const Options& options, std::span<const ParamSetting> settings,
                                          std::span<const int> frames, std::size_t keep) {
  std::vector<RenderLayer> layers;
  auto open = [&](PF_ParamIndex index, std::string name, LayerSource source) {
    RenderLayer layer;
    layer.index = index;
    layer.name = std::move(name);
    layer.pictures =
        std::make_unique<LayerPictures>(std::move(source), frames, layer.name, keep,
                                        options.max_memory != 0 ? options.max_memory : DefaultMemoryBudget());
    layers.push_back(std::move(layer));
  };
  open(0, "--layer", ParseLayerSource(options.layer.empty() ? "testcard" : options.layer, options.size));
  for (const ParamSetting& setting : settings) {
    if (setting.type == ParamType::kLayer && setting.layer.kind != LayerSource::Kind::kNone)
      open(setting.index, setting.name, setting.layer);
  }
  return layers;
}

void ReadRenderLayers(const Options& options, std::span<const ParamInfo> params,
                      std::span<RenderLayer> layers) {
  for (RenderLayer& layer : layers) {
    layer.pictures->Open();
    layer.colour_space = layer.pictures->colour_space();
  }
  ApplyInputSpaces(options, params, layers);
}

std::string WorkingSpace(const Options& options, const RenderLayer& input) {
  return options.working_space.empty() ? input.colour_space
                                       : CheckColourSpace(options.working_space, "--working-space");
}

Depth RenderDepth(const Options& options, const RenderLayer& input) {
  if (options.depth) return *options.depth;
  return SameColourSpace(input.colour_space, WorkingSpace(options, input)) ? DepthOf(input.pictures->first())
                                                                           : Depth::k32;
}

RenderColour ChooseColour(const Options& options, std::span<const RenderLayer> layers,
                          const OutputSpec& output, Depth depth) {
  RenderColour colour;
  colour.working = WorkingSpace(options, layers.front());
  if (output.kind == OutputKind::kImages && output.format == FileFormat::kRaw) {
    colour.output = colour.working;  // the exact bytes the checksum reads
  } else if (!options.output_space.empty()) {
    colour.output = CheckColourSpace(options.output_space, "--output-space");
  } else if (output.kind == OutputKind::kImages) {
    colour.output = FormatColourSpace(output.format, FileDepth(output.format, depth));
  } else {
    colour.output = std::string(kSrgb);  // movies; and nothing for null
  }
  if (output.kind == OutputKind::kNull) colour.output = colour.working;
  colour.output_converts = !SameColourSpace(colour.working, colour.output);
  colour.converts = colour.output_converts;
  for (const RenderLayer& layer : layers)
    colour.converts |= !SameColourSpace(layer.colour_space, colour.working);
  return colour;
}

void PrepareStillLayers(std::span<RenderLayer> layers, Depth depth, const std::string& working) {
  for (RenderLayer& layer : layers) {
    if (layer.pictures->still())
      layer.still.emplace(
          WorldFromImage(ConvertColour(layer.pictures->Still(depth), layer.colour_space, working, depth)));
  }
}

const host::WorldBuffer& LayerWorld(const RenderLayer& layer, int frame, Depth depth,
                                    const std::string& working, std::vector<host::WorldBuffer>& loaded) {
  if (layer.still) return *layer.still;
  loaded.push_back(
      WorldFromImage(ConvertColour(layer.pictures->Picture(frame), layer.colour_space, working, depth)));
  return loaded.back();
}

std::string ColourNote(std::span<const RenderLayer> layers, const RenderColour& colour) {
  std::string note = "colour:";
  for (const RenderLayer& layer : layers) note += " " + layer.name + " " + layer.colour_space + ",";
  return note + " working space " + colour.working + ", output " + colour.output;
}

Image OutputPicture(const Image& rendered, const RenderColour& colour) {
  return ConvertColour(rendered, colour.working, colour.output, Depth::k32);
}

}  // namespace fxhost
