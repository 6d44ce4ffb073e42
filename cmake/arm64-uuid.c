/* The identifiers the launcher takes from MinGW's uuid library, defined from the same headers. */
#define INITGUID
#include <windows.h>
#include <wincodec.h>
