#include <qvcalc32.h>
#include <stdio.h>

int main(void)
{
    int32_t jd = JulDay(1, 1, 2000);
    printf("JD %d\n", (int)jd);
    return jd == 2451545 ? 0 : 1;
}
