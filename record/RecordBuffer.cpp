#include "RecordBuffer.h"

RecordBytes &recordBuffer()
{
    static RecordBytes buffer{};
    return buffer;
}
