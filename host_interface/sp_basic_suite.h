/* The basic suite: acquires and releases the host's other suites by name and version. */
#ifndef SP_BASIC_SUITE_H
#define SP_BASIC_SUITE_H

#include <stdint.h>

typedef int32_t SPErr;
#define kSPNoError 0
#define kSPSuiteNotFoundError ((SPErr)0x53214e46) /* "S!NF" */
#define kSPBadParameterError ((SPErr)0x5061726d)  /* "Parm" */

typedef struct SPBasicSuite {
  /* On success returns 0 and stores the suite's function table; otherwise an error and a null table. */
  SPErr (*AcquireSuite)(const char* name, int32_t version, const void** suite);
  SPErr (*ReleaseSuite)(const char* name, int32_t version);
} SPBasicSuite;

#endif
