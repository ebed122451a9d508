#pragma once
// The layers of a render and its colour: the input layer (index 0) and each layer parameter given a
// layer, each with its pictures and colour space; the working space the effect renders in, the depth,
// and the space the output is written in. Each frame gets every layer as a world of the render's depth
// in the working space; still pictures are converted once.

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "fxhost/cli/cli.h"
#include "fxhost/files/layer_pictures.h"
#include "fxhost/files/output_spec.h"
#include "host/world_buffer.h"
#include "pf_basic_types.h"

namespace fxhost {

struct RenderLayer {
  PF_ParamIndex index = 0;
  std::string name;  // "--layer" or the parameter's name, for messages
  std::unique_ptr<LayerPictures> pictures;
  std::string colour_space;  // the space of its files
  std::optional<host::WorldBuffer> still;
};

struct RenderColour {
  std::string working;           // the space the effect renders in
  std::string output;            // the space the output files are written in
  bool output_converts = false;  // the output is converted from the working space
  bool converts = false;         // a layer or the output is converted
};

// The input layer and every layer parameter's layer for the frames, their files checked to exist;
// `keep`: how many decoded movie frames may wait for a worker (see LayerPictures).
// Throws InputError for a missing or unreadable file, a short movie or an unknown colour space.
std::vector<RenderLayer> OpenRenderLayers(const Options& options, std::span<const ParamSetting> settings,
                                          std::span<const int> frames, std::size_t keep);

// Reads each layer's first picture (LayerPictures::Open) and its colour space, applying --input-space.
// Throws InputError for an unreadable file, a short movie or an unknown colour space.
void ReadRenderLayers(const Options& options, std::span<const ParamInfo> params,
                      std::span<RenderLayer> layers);

// The working space: --working-space, else the input layer's space.
std::string WorkingSpace(const Options& options, const RenderLayer& input);

// The working and output spaces (--working-space, --output-space, else the defaults) for `layers`.
RenderColour ChooseColour(const Options& options, std::span<const RenderLayer> layers,
                          const OutputSpec& output, Depth depth);

// The render's depth: --depth, else the input layer's own, but float when the working space is not
// the input layer's (converting colour in 8 or 16 bits would lose levels).
Depth RenderDepth(const Options& options, const RenderLayer& input);

// Converts every still layer once, into the render's depth and working space.
void PrepareStillLayers(std::span<RenderLayer> layers, Depth depth, const std::string& working);

// The layer's world for `frame`: the still one, or one read and converted into `loaded`.
const host::WorldBuffer& LayerWorld(const RenderLayer& layer, int frame, Depth depth,
                                    const std::string& working, std::vector<host::WorldBuffer>& loaded);

// The conversions a render makes, as one line: "colour: --layer sRGB -> working linear -> output sRGB".
std::string ColourNote(std::span<const RenderLayer> layers, const RenderColour& colour);

// The rendered picture converted to the output's space, in float.
Image OutputPicture(const Image& rendered, const RenderColour& colour);

}  // namespace fxhost
