#include "engine/batch/overwritecheck.h"

OverwriteAnswer overwriteAnswer(int code)
{
    return code >= OverwriteYes && code <= OverwriteAbort ? OverwriteAnswer(code) : OverwriteAbort;
}
