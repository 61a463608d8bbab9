// Converts a position through every form cl_RefPoint offers, as a quick
// look at the library: decimal degrees -> UTM -> degrees, minutes, seconds.
#include <kalimark/kalimark.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const double latitude = argc > 2 ? std::atof(argv[1]) : 53.55;
    const double longitude = argc > 2 ? std::atof(argv[2]) : 9.99;

    cl_RefPoint point;
    point.setRefPoint(IPoint{longitude < 0 ? -1 : 1, latitude < 0 ? -1 : 1},
                      DPoint{longitude < 0 ? -longitude : longitude, latitude < 0 ? -latitude : latitude});

    int zone = 0;
    char letter = 'Z';
    IPoint en;
    point.setDatum(0, 0);
    point.getRefPoint(zone, letter, en);
    std::printf("%.6f %.6f -> UTM %d%c %d E %d N (WGS 84)\n", latitude, longitude, zone, letter, en.x, en.y);

    cl_RefPoint back;
    back.setRefPoint(zone, letter, en);
    IPoint sign, deg, min;
    DPoint sec;
    back.getRefPoint(sign, deg, min, sec);
    std::printf("back: %c %d° %02d' %06.3f\"  %c %d° %02d' %06.3f\"\n", sign.y > 0 ? 'N' : 'S', deg.y, min.y, sec.y,
                sign.x > 0 ? 'E' : 'W', deg.x, min.x, sec.x);
    return zone == 0 ? EXIT_FAILURE : EXIT_SUCCESS;
}
