// Area sampling in the three depths: the work behind the host's area_sample, area_sample16 and
// area_sample_float. The effect's gap image is made of these samples, so the rule below is what
// that image looks like.
//
// A sample at the point (x, y) with radii (rx, ry), all 16.16 fixed point, is the average of the
// source world over the box [x - rx, x + rx] x [y - ry, y + ry]:
//   - pixel (i, j) is the unit square [i - 0.5, i + 0.5] x [j - 0.5, j + 0.5]; a pixel partly
//     inside the box weighs by the area of it that the box covers;
//   - the box's area outside the world counts as transparent black;
//   - alpha out = (sum of area * alpha) / box area;
//   - colour out is straight colour, averaged with alpha as weight:
//     c = (sum of area * alpha * c) / (sum of area * alpha), so a transparent pixel's colour never
//     shows; a result whose alpha is zero has zero colour;
//   - a zero radius makes that axis a point sample: the one column (or row) under the point,
//     weight 1, is taken, and the box has extent 1 on that axis. The column under x is
//     floor(x + 0.5): a point exactly on the border between two pixels (x = i + 0.5) takes the
//     pixel after it. A point whose column or row lies outside the world samples transparent
//     black. With both radii zero the sample is the one pixel under the point, unchanged
//     (a pixel of zero alpha comes out transparent black).
//   - 8-bit and 16-bit results are rounded to nearest (halves up); float results are the
//     computed values. Weights and sums are computed in double; coverage comes exactly from the
//     fixed-point inputs, so equal inputs always give equal results.
// Only the radii and the source of the sampling block are used; its other fields (area, edge
// behaviour, compositing, mask, tables) are ignored.
#ifndef ZELKRA_HOST_AREA_SAMPLING_H
#define ZELKRA_HOST_AREA_SAMPLING_H

#include "pf_host_interface.h"

namespace host {

// Each returns 0 and writes the sample to *dst, or returns PF_Err_BAD_CALLBACK_PARAM for a null
// block, source or destination, a negative radius, or a source that is not a live world of this
// host in the function's depth (see FindDepth in host/world_buffer.h). On an error a non-null
// *dst is set to transparent black.
PF_Err AreaSample8(PF_Fixed x, PF_Fixed y, const PF_SampPB* params, PF_Pixel* dst);
PF_Err AreaSample16(PF_Fixed x, PF_Fixed y, const PF_SampPB* params, PF_Pixel16* dst);
PF_Err AreaSampleFloat(PF_Fixed x, PF_Fixed y, const PF_SampPB* params, PF_PixelFloat* dst);

// The same, computed pixel by pixel exactly as the rule above reads. The functions above give the
// same bits faster; these are the reference they are tested against.
PF_Err PlainAreaSample8(PF_Fixed x, PF_Fixed y, const PF_SampPB* params, PF_Pixel* dst);
PF_Err PlainAreaSample16(PF_Fixed x, PF_Fixed y, const PF_SampPB* params, PF_Pixel16* dst);
PF_Err PlainAreaSampleFloat(PF_Fixed x, PF_Fixed y, const PF_SampPB* params, PF_PixelFloat* dst);

}  // namespace host

#endif
