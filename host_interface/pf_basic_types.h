/* Scalar types, rectangles, pixels, worlds and handles of the effect host interface.
 * Declarations only; shared by the plug-in and the host. Compiles as C and C++. */
#ifndef PF_BASIC_TYPES_H
#define PF_BASIC_TYPES_H

#include <stdint.h>

/* Interface generation. The older generation (12.10) is selected with PF_GENERATION_12_10;
 * the records below have one layout for both, the differences are in suite versions. */
#ifdef PF_GENERATION_12_10
#define PF_PLUG_IN_VERSION 12
#define PF_PLUG_IN_SUBVERS 10
#else
#define PF_PLUG_IN_VERSION 13
#define PF_PLUG_IN_SUBVERS 0
#endif

typedef int32_t A_long;
typedef uint32_t A_u_long;
typedef int16_t A_short;
typedef uint16_t A_u_short;
typedef char A_char;
typedef unsigned char A_u_char;
typedef unsigned char A_Boolean;
typedef double A_FpLong;
typedef float A_FpShort;
typedef A_u_long A_HandleSize;

typedef A_Boolean PF_Boolean;
typedef A_FpLong PF_FpLong;
typedef A_FpShort PF_FpShort;
typedef A_long PF_Err;
typedef A_long PF_ParamIndex;

/* Signed 16.16 fixed-point number. */
typedef A_long PF_Fixed;
#define PF_Fixed_ONE ((PF_Fixed)0x10000)

/* Opaque reference to one effect instance during one command; handed back on every callback. */
typedef struct _PF_ProgressInfo* PF_ProgPtr;

/* A relocatable host memory block: one dereference reaches the block. */
typedef void** PF_Handle;

/* Four-character code as the 32-bit value of its characters read big-endian. */
#define PF_FOURCC(a, b, c, d) \
  ((A_u_long)(((A_u_long)(a) << 24) | ((A_u_long)(b) << 16) | ((A_u_long)(c) << 8) | (A_u_long)(d)))

typedef struct {
  A_long left, top, right, bottom;
} PF_LRect;
typedef PF_LRect PF_Rect;

typedef struct {
  A_long num;
  A_u_long den;
} PF_RationalScale;

/* Pixels: channels in the order alpha, red, green, blue; straight (not premultiplied) colour. */
typedef struct {
  A_u_char alpha, red, green, blue; /* full scale 255 */
} PF_Pixel;
typedef PF_Pixel PF_Pixel8;

typedef struct {
  A_u_short alpha, red, green, blue; /* full scale 32768 */
} PF_Pixel16;

#define PF_MAX_CHAN8 255
#define PF_MAX_CHAN16 32768

typedef struct {
  PF_FpShort alpha, red, green, blue; /* full scale 1.0 */
} PF_PixelFloat;
typedef PF_PixelFloat PF_Pixel32;

typedef PF_Pixel* PF_PixelPtr;

typedef A_u_long PF_PixelFormat;
#define PF_PixelFormat_ARGB32 PF_FOURCC('a', 'r', 'g', 'b')
#define PF_PixelFormat_ARGB64 PF_FOURCC('a', 'e', '1', '6')
#define PF_PixelFormat_ARGB128 PF_FOURCC('a', 'e', '3', '2')
#define PF_PixelFormat_INVALID PF_FOURCC('b', 'a', 'd', 'f')

typedef A_long PF_WorldFlags;
#define PF_WorldFlag_DEEP 1L
#define PF_WorldFlag_WRITEABLE 2L

typedef A_long PF_NewWorldFlags;
#define PF_NewWorldFlag_NONE 0L
#define PF_NewWorldFlag_CLEAR_PIXELS 1L
#define PF_NewWorldFlag_DEEP_PIXELS 2L

/* An effect world: pixel (x, y) is at byte offset y * rowbytes + x * (bytes per pixel) of data. */
typedef struct {
  PF_WorldFlags world_flags;
  PF_PixelPtr data;
  A_long rowbytes;
  A_long width;
  A_long height;
  PF_LRect extent_hint;
  void* platform_ref;
  PF_RationalScale pix_aspect_ratio;
  A_long origin_x;
  A_long origin_y;
  A_long dephault;
} PF_LayerDef;
typedef PF_LayerDef PF_EffectWorld;

typedef A_long PF_Field;
#define PF_Field_FRAME 0L
#define PF_Field_UPPER 1L
#define PF_Field_LOWER 2L

typedef A_long PF_ChannelMask;
#define PF_ChannelMask_ALPHA 1L
#define PF_ChannelMask_RED 2L
#define PF_ChannelMask_GREEN 4L
#define PF_ChannelMask_BLUE 8L
#define PF_ChannelMask_ARGB 15L

#endif
