// SPDX-License-Identifier: MIT
// Runs the loaded TIC-80 program the way the console does: BOOT once when there is one, then
// TIC every frame, here for 60 frames (one second), and says how far it got.
if (typeof BOOT === 'function')
    BOOT();
if (typeof TIC !== 'function')
    throw new Error("'function TIC()...' isn't found");
for (__tic80.frame = 0; __tic80.frame < 60; ++__tic80.frame)
    TIC();
__tic80.report('ran ' + __tic80.frame + ' frames, ' + __tic80.calls + ' API calls');
