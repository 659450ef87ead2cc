#pragma once

// Where the recommendation marker stands on a gauge W pixels wide for a
// rating r (1 strong buy .. 5 sell): near the right end for 1, near the left
// end for 5. Halves round to even.
int GaugeMarkerX(double r, int W);
