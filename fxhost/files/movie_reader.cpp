// Movies through FFmpeg's libraries (libavformat, libavcodec, libswscale): the only file of fxhost that
// uses them.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <array>
#include <cctype>
#include <mutex>
#include <string_view>

#include "fxhost/cli/input_error.h"
#include "fxhost/files/image_convert.h"
#include "fxhost/files/movie_reader.h"

namespace fxhost {
namespace {

constexpr std::array<std::string_view, 17> kMovieExtensions{".mov", ".mp4", ".m4v",  ".mkv", ".webm", ".avi",
                                                            ".mxf", ".mpg", ".mpeg", ".ts",  ".mts",  ".m2ts",
                                                            ".flv", ".wmv", ".ogv",  ".y4m", ".3gp"};

// A jump forward of at most this many frames decodes forward instead of seeking.
constexpr int kDecodeForward = 48;

std::string AvError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

struct FormatCloser {
  void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
};
struct CodecFreer {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct PacketFreer {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameFreer {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct ScaleFreer {
  void operator()(SwsContext* s) const { sws_freeContext(s); }
};

}  // namespace

bool IsMovieFile(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return std::find(kMovieExtensions.begin(), kMovieExtensions.end(), extension) != kMovieExtensions.end();
}

struct MovieReader::State {
  std::string name;  // the file, quoted, for messages
  std::unique_ptr<AVFormatContext, FormatCloser> format;
  std::unique_ptr<AVCodecContext, CodecFreer> codec;
  std::unique_ptr<AVPacket, PacketFreer> packet{av_packet_alloc()};
  std::unique_ptr<AVFrame, FrameFreer> frame{av_frame_alloc()};
  mutable std::unique_ptr<SwsContext, ScaleFreer> scale;
  int stream = -1;
  AVRational time_base{};
  AVRational frame_duration{};  // 1 / frame rate
  std::int64_t first_pts = AV_NOPTS_VALUE;
  int frame_count = 0;
  Depth depth = Depth::k8;
  std::string colour_space = "sRGB";
  int current = -1;       // the index of the frame in `frame`
  bool draining = false;  // the demuxer is at its end: the decoder is handing out what it holds

  [[noreturn]] void Fail(const std::string& what) const { throw InputError(name + ": " + what); }

  // The index of the frame just decoded: from its time stamp, or one after the last without one.
  int IndexOfDecoded() const {
    const std::int64_t pts = frame->best_effort_timestamp;
    if (pts == AV_NOPTS_VALUE || first_pts == AV_NOPTS_VALUE) return current + 1;
    return static_cast<int>(av_rescale_q_rnd(pts - first_pts, time_base, frame_duration,
                                             static_cast<AVRounding>(AV_ROUND_NEAR_INF)));
  }

  // Decodes the next frame into `frame`: true with `current` set, false at the end of the movie.
  bool Decode() {
    while (true) {
      const int received = avcodec_receive_frame(codec.get(), frame.get());
      if (received == 0) {
        current = IndexOfDecoded();
        return true;
      }
      if (received == AVERROR_EOF) return false;
      if (received != AVERROR(EAGAIN))
        Fail("cannot decode frame " + std::to_string(current + 1) + ": " + AvError(received));
      if (draining) return false;
      const int read = av_read_frame(format.get(), packet.get());
      if (read < 0) {
        draining = true;
        avcodec_send_packet(codec.get(), nullptr);
        continue;
      }
      if (packet->stream_index == stream) {
        const int sent = avcodec_send_packet(codec.get(), packet.get());
        if (sent < 0 && sent != AVERROR(EAGAIN) && sent != AVERROR_INVALIDDATA)
          Fail("cannot decode: " + AvError(sent));
      }
      av_packet_unref(packet.get());
    }
  }

  // Repositions the demuxer at or before `index` and decodes the first frame there. A key frame found
  // after the one wanted (the container's index is coarse) sends the seek further back.
  void Seek(int index) {
    for (std::int64_t back = 0;; back = back == 0 ? 1 : back * 2) {
      const std::int64_t target = std::max<std::int64_t>(0, index - back);
      std::int64_t timestamp = first_pts == AV_NOPTS_VALUE ? 0 : first_pts;
      timestamp += av_rescale_q(target, frame_duration, time_base);
      bool from_start = target == 0 || first_pts == AV_NOPTS_VALUE;
      if (av_seek_frame(format.get(), stream, timestamp, AVSEEK_FLAG_BACKWARD) < 0) {
        // Some containers cannot seek by time: from the first byte instead.
        if (av_seek_frame(format.get(), -1, 0, AVSEEK_FLAG_BYTE) < 0)
          Fail("cannot seek to frame " + std::to_string(index));
        from_start = true;
      }
      avcodec_flush_buffers(codec.get());
      draining = false;
      current = -1;
      if (!Decode()) Fail("frame " + std::to_string(index) + " cannot be found");
      if (current <= index || from_start) return;
    }
  }

  Image Convert() const {
    const AVFrame& f = *frame;
    const AVPixelFormat target = depth == Depth::k8 ? AV_PIX_FMT_RGBA : AV_PIX_FMT_RGBA64;
    scale.reset(sws_getCachedContext(
        scale.release(), f.width, f.height, static_cast<AVPixelFormat>(f.format), f.width, f.height, target,
        SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr));
    if (!scale) Fail("cannot convert its pixel format to RGBA");
    // The frame's own colour matrix and range (BT.601 when it names none, as FFmpeg does).
    const int* matrix = sws_getCoefficients(f.colorspace);
    sws_setColorspaceDetails(scale.get(), matrix, f.color_range == AVCOL_RANGE_JPEG ? 1 : 0,
                             sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
    auto scaled = [&](auto& image, int bytes_per_pixel) {
      std::uint8_t* planes[4] = {reinterpret_cast<std::uint8_t*>(image.pixels.data()), nullptr, nullptr,
                                 nullptr};
      int strides[4] = {f.width * bytes_per_pixel, 0, 0, 0};
      sws_scale(scale.get(), f.data, f.linesize, 0, f.height, planes, strides);
    };
    if (depth == Depth::k8) {
      Image8 image(f.width, f.height);
      scaled(image, 4);
      return image;
    }
    Image16 image(f.width, f.height);
    scaled(image, 8);
    for (Rgba16& p : image.pixels) {
      p.r = FileToHost16(p.r);
      p.g = FileToHost16(p.g);
      p.b = FileToHost16(p.b);
      p.a = FileToHost16(p.a);
    }
    return image;
  }

  // The frame count: the container's when it says, else its packets counted (then back to the start).
  int CountFrames() {
    const AVStream* s = format->streams[stream];
    if (s->nb_frames > 0) return static_cast<int>(std::min<std::int64_t>(s->nb_frames, INT32_MAX));
    int count = 0;
    while (av_read_frame(format.get(), packet.get()) >= 0) {
      if (packet->stream_index == stream) ++count;
      av_packet_unref(packet.get());
    }
    if (av_seek_frame(format.get(), stream, s->start_time == AV_NOPTS_VALUE ? 0 : s->start_time,
                      AVSEEK_FLAG_BACKWARD) < 0 &&
        av_seek_frame(format.get(), -1, 0, AVSEEK_FLAG_BYTE) < 0) {
      Fail("cannot go back to frame 0");
    }
    return count;
  }
};

MovieReader::MovieReader(const std::filesystem::path& path) : state_(std::make_unique<State>()) {
  static std::once_flag quiet;
  std::call_once(quiet, [] { av_log_set_level(AV_LOG_QUIET); });  // failures are reported as messages
  State& s = *state_;
  s.name = "\"" + path.string() + "\"";
  AVFormatContext* format = nullptr;
  if (const int opened = avformat_open_input(&format, path.c_str(), nullptr, nullptr); opened < 0)
    s.Fail("cannot be read as a movie: " + AvError(opened));
  s.format.reset(format);
  if (avformat_find_stream_info(format, nullptr) < 0) s.Fail("cannot be read as a movie");
  const AVCodec* decoder = nullptr;
  s.stream = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
  if (s.stream < 0 || decoder == nullptr) s.Fail("holds no video that can be decoded");
  AVStream* stream = format->streams[s.stream];
  s.codec.reset(avcodec_alloc_context3(decoder));
  if (!s.codec || avcodec_parameters_to_context(s.codec.get(), stream->codecpar) < 0 ||
      avcodec_open2(s.codec.get(), decoder, nullptr) < 0) {
    s.Fail("its video cannot be decoded");
  }
  AVRational rate = stream->avg_frame_rate.num > 0 ? stream->avg_frame_rate : stream->r_frame_rate;
  if (rate.num <= 0 || rate.den <= 0) s.Fail("its frame rate is unknown");
  s.time_base = stream->time_base;
  s.frame_duration = av_inv_q(rate);
  s.frame_count = s.CountFrames();

  if (!s.Decode()) s.Fail("holds no frames");
  s.first_pts = s.frame->best_effort_timestamp;
  s.current = 0;
  const AVPixFmtDescriptor* pixels = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(s.frame->format));
  if (pixels == nullptr) s.Fail("its pixel format is unknown");
  s.depth = pixels->comp[0].depth > 8 ? Depth::k16 : Depth::k8;
  if (s.frame->color_trc == AVCOL_TRC_LINEAR) s.colour_space = "linear";
  if (s.frame_count < 1) s.frame_count = 1;
}

MovieReader::~MovieReader() = default;

int MovieReader::frame_count() const {
  return state_->frame_count;
}
int MovieReader::width() const {
  return state_->frame->width;
}
int MovieReader::height() const {
  return state_->frame->height;
}
Depth MovieReader::depth() const {
  return state_->depth;
}
const std::string& MovieReader::colour_space() const {
  return state_->colour_space;
}
int MovieReader::position() const {
  return state_->current;
}

Image MovieReader::Frame(int index) {
  State& s = *state_;
  if (index < 0) s.Fail("frame " + std::to_string(index) + " is before the movie's first frame");
  if (index < s.current || index > s.current + kDecodeForward) s.Seek(index);
  while (s.current < index) {
    if (!s.Decode())
      s.Fail("frame " + std::to_string(index) + " is past the movie's end (its last frame is " +
             std::to_string(s.current) + ")");
  }
  if (s.current != index) s.Fail("frame " + std::to_string(index) + " is missing (time stamps skip it)");
  return s.Convert();
}

int MovieReader::DecodeNext() {
  return state_->Decode() ? state_->current : -1;
}

Image MovieReader::Held() const {
  return state_->Convert();
}

}  // namespace fxhost
