#include "render/frame_settings.h"

namespace {

bool IsEmpty(const PF_LRect& r) {
  return r.left >= r.right || r.top >= r.bottom;
}

}  // namespace

void FoldNegativeTime(PuzzleInfo& info) {
  if (0.0 > info.time) {
    // Negating INT32_MIN is undefined; the Seed slider never gets near it, but hold it anyway.
    info.seed = info.seed == INT32_MIN ? INT32_MAX : -info.seed;
    info.time = info.time * -1.0;
  }
}

PuzzleInfo MakePuzzleInfo(const FrameParamValues& values) {
  PuzzleInfo info{};
  info.time = values.time;
  info.rows = values.rows;
  info.columns = values.columns;
  info.seed = values.seed;
  FoldNegativeTime(info);
  info.return_flag = values.return_flag;
  info.missing_tile = static_cast<double>(values.missing_tile) / 65536.0 * 0.01;
  info.position = values.position;
  info.fit = values.fit;
  return info;
}

void UnionLRect(const PF_LRect& src, PF_LRect& dst) {
  if (IsEmpty(dst)) {
    dst = src;
  } else if (!IsEmpty(src)) {
    if (src.left < dst.left) dst.left = src.left;
    if (src.top < dst.top) dst.top = src.top;
    if (src.right > dst.right) dst.right = src.right;
    if (src.bottom > dst.bottom) dst.bottom = src.bottom;
  }
}
