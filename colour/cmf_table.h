// The CIE 1931 2-degree colour-matching functions, one sample per band, as
// the build made them from the CIE's table, colour/cie1931_2deg_xyz.csv
// (colour/make_cmf_table.cmake).
#pragma once

struct CmfSample {
    double x_bar;
    double y_bar;
    double z_bar;
};

extern const int kCmfFirstNm;
extern const int kCmfStepNm;
extern const int kCmfSampleCount;
extern const CmfSample kCmf1931[];
