#pragma once

// What the tester measured in one testing mode, in the record's own units:
// the values the panel shows rounded, and the limits judge exactly.
struct MeasuredValues
{
    int highKHz = 0;         // upper sweep frequency
    int lowKHz = 0;          // lower sweep frequency
    int powerMw = 0;         // emitted power (EIRP)
    int durationUnits = 0;   // emitted signal duration, 0.2 us units
    int tunings = 0;         // frequency tunings (sweeps) per response
};
