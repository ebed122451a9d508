/* Command selectors, error codes, out-flags, version encoding and host ids. */
#ifndef PF_COMMANDS_H
#define PF_COMMANDS_H

#include "pf_basic_types.h"

typedef A_long PF_Cmd;
enum {
  PF_Cmd_ABOUT = 0,
  PF_Cmd_GLOBAL_SETUP = 1,
  PF_Cmd_UNUSED_0 = 2,
  PF_Cmd_GLOBAL_SETDOWN = 3,
  PF_Cmd_PARAMS_SETUP = 4,
  PF_Cmd_SEQUENCE_SETUP = 5,
  PF_Cmd_SEQUENCE_RESETUP = 6,
  PF_Cmd_SEQUENCE_FLATTEN = 7,
  PF_Cmd_SEQUENCE_SETDOWN = 8,
  PF_Cmd_DO_DIALOG = 9,
  PF_Cmd_FRAME_SETUP = 10,
  PF_Cmd_RENDER = 11,
  PF_Cmd_FRAME_SETDOWN = 12,
  PF_Cmd_USER_CHANGED_PARAM = 13,
  PF_Cmd_UPDATE_PARAMS_UI = 14,
  PF_Cmd_SMART_PRE_RENDER = 23,
  PF_Cmd_SMART_RENDER = 24
};

enum {
  PF_Err_NONE = 0,
  PF_Err_OUT_OF_MEMORY = 4,
  PF_Err_INTERNAL_STRUCT_DAMAGED = 512,
  PF_Err_INVALID_INDEX = 513,
  PF_Err_UNRECOGNIZED_PARAM_TYPE = 514,
  PF_Err_INVALID_CALLBACK = 515,
  PF_Err_BAD_CALLBACK_PARAM = 516,
  PF_Interrupt_CANCEL = 517
};

typedef A_long PF_OutFlags;
#define PF_OutFlag_NONE 0L
#define PF_OutFlag_USE_OUTPUT_EXTENT 0x40L
#define PF_OutFlag_DISPLAY_ERROR_MESSAGE 0x100L
#define PF_OutFlag_REFRESH_UI 0x20000L
#define PF_OutFlag_DEEP_COLOR_AWARE 0x02000000L
#define PF_OutFlag_SEND_UPDATE_PARAMS_UI 0x04000000L

typedef A_long PF_OutFlags2;
#define PF_OutFlag2_NONE 0L
#define PF_OutFlag2_SUPPORTS_SMART_RENDER 0x400L
#define PF_OutFlag2_FLOAT_COLOR_AWARE 0x1000L

/* Version word: build in bits 0-8, stage in 9-10, fix version in 11-14, minor in 15-18, major in 19-21. */
enum { PF_Stage_DEVELOP = 0, PF_Stage_ALPHA = 1, PF_Stage_BETA = 2, PF_Stage_RELEASE = 3 };
#define PF_VERSION(vers, subvers, bugvers, stage, build)                           \
  ((A_u_long)((((A_u_long)(vers)&0x7) << 19) | (((A_u_long)(subvers)&0xF) << 15) | \
              (((A_u_long)(bugvers)&0xF) << 11) | (((A_u_long)(stage)&0x3) << 9) | \
              ((A_u_long)(build)&0x1FF)))

/* Application ids found in PF_InData.appl_id. */
#define PF_APPL_ID_AFTER_EFFECTS PF_FOURCC('F', 'X', 'T', 'C')
#define PF_APPL_ID_PREMIERE PF_FOURCC('P', 'r', 'M', 'r')

#endif
