// SPDX-License-Identifier: GPL-3.0-or-later
#include "params/CMVXStravelParamInfo.h"

CMVXStravelParamInfo::CMVXStravelParamInfo (int32_t variant)
: table (std::make_unique<CMVXParamTable> (variant))
{}

CMVXParameter* CMVXStravelParamInfo::getParam (int32_t id)
{
    if (id >= getParamCount ())
        return nullptr;
    return table->find (id);
}

void CMVXStravelParamInfo::updateTitles (int32_t model, float)
{
    table->updateTitles (model);
}

int32_t CMVXStravelParamInfo::getParamCount ()
{
    return table->getParamCount ();
}

// The number of parameters the product declares, independent of the table variant.
int32_t CMVXStravelParamInfo::getNumParams ()
{
    return kParamCount;
}

int32_t CMVXStravelParamInfo::getFirstParamId ()
{
    const auto& params = table->all ();
    return params.empty () ? 0 : params.begin ()->first;
}
