// Qt Gui's AVX2 drawing routines (QImage::fill and the blenders behind every
// widget's painting, in Debian's Qt 6.4) return with the upper halves of the
// AVX registers still in use. Every SSE instruction after them, libnova's
// and ours, then pays the AVX–SSE transition penalty (ten times slower on
// this project's Xeon), and a thread started meanwhile inherits the state.
// The computations clear it on entry: one vzeroupper, a cycle.
#pragma once

namespace zeno {

void clearUpperAvxState();

} // namespace zeno
