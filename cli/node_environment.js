// Under Node the companion sees the host's environment (SOURCE_DATE_EPOCH for
// the profile's date), as the native and Windows programs do; Emscripten
// otherwise gives a program a fixed environment of its own.
Module['preRun'] = [function () {
    if (typeof ENV !== 'undefined') Object.assign(ENV, process.env);
}];
