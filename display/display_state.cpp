#include "display/display_state.h"

namespace {

DisplayState state;

}  // namespace

DisplayState& displayState() { return state; }
