// SPDX-License-Identifier: GPL-3.0-or-later
#include "params/IMVXParamInfoInterface.h"

float IMVXParamInfoInterface::toPlain (int32_t id, float normalized)
{
    const CMVXParameter* param = getParam (id);
    return param == nullptr ? normalized : static_cast<float> (param->toPlain (normalized));
}

float IMVXParamInfoInterface::toNormalized (int32_t id, float plain)
{
    const CMVXParameter* param = getParam (id);
    return param == nullptr ? plain : static_cast<float> (param->toNormalized (plain));
}
