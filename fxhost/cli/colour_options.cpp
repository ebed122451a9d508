#include "fxhost/cli/colour_options.h"

namespace fxhost {

void AddColourOptions(CLI::App& render, Options& options) {
  render
      .add_option("--input-space", options.input_spaces,
                  "The colour space of the input layer's files, or LAYER=SPACE for a layer parameter "
                  "(default: what each file's metadata says, else its format: sRGB for PNG, JPEG, 8- and "
                  "16-bit TIFF and movies, linear for EXR and float TIFF)")
      ->allow_extra_args(false);
  render.add_option("--working-space", options.working_space,
                    "The colour space the effect renders in; every layer is converted to it (default: the "
                    "input layer's; another one renders in float unless --depth says otherwise)");
  render.add_option("--output-space", options.output_space,
                    "The colour space the output files are converted to and tagged with (default: the "
                    "output format's, as for inputs; .raw frames hold the working space)");
}

}  // namespace fxhost
