// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The product's parameter info: owns one table of the given variant (0 = this product).
#include "params/CMVXParamTable.h"
#include "params/IMVXParamInfoInterface.h"
#include <memory>

class CMVXStravelParamInfo : public IMVXParamInfoInterface
{
public:
    explicit CMVXStravelParamInfo (int32_t variant);
    CMVXParameter* getParam (int32_t id) override;
    void updateTitles (int32_t model, float ignored) override;
    int32_t getParamCount () override;
    int32_t getNumParams () override;
    int32_t getFirstParamId () override;

    CMVXParamTable& getTable () { return *table; }

private:
    std::unique_ptr<CMVXParamTable> table;
};
