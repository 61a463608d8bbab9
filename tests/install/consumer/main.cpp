// Hamburg, 53.55° N 9.99° E, in UTM through an installed Kalimark.
#include <kalimark/kalimark.h>

#include <cstdio>

int main()
{
    cl_RefPoint hamburg;
    hamburg.setRefPoint(IPoint{1, 1}, DPoint{9.99, 53.55});
    hamburg.setDatum(0, 0);
    int zone = 0;
    char letter = '?';
    IPoint en;
    hamburg.getRefPoint(zone, letter, en);
    std::printf("%d %c %d %d\n", zone, letter, en.x, en.y);
}
