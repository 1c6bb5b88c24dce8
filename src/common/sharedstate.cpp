#include "common/sharedstate.h"

SharedState &sharedState()
{
    static SharedState state;
    return state;
}
