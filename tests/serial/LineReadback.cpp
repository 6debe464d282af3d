// Kept apart from files that include <termios.h>: <asm/termbits.h> clashes.
#include "PtyPort.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

LineReadback readLine(int fd)
{
    struct termios2 t {};
    LineReadback r;
    if (::ioctl(fd, TCGETS2, &t) != 0)
        return r;
    r.rate = t.c_ospeed;
    r.iflag = t.c_iflag;
    r.cflag = t.c_cflag;
    r.startChar = t.c_cc[VSTART];
    r.stopChar = t.c_cc[VSTOP];
    return r;
}
