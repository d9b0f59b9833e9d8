// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"
#include "OvermoorHarnesses.h"
#include "host/StateBytes.h"
#include "host/StrictReadStream.h"
#include "processor/CMVXStravelVST3.h"
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace OvermoorFuzz {

std::string runStateInput (const uint8_t* data, size_t size)
{
    Problems problems;
    const std::vector<uint8_t> bytes (data, data + size);
    constexpr size_t kStateBytes = 8 * 4;

    for (int streamKind = 0; streamKind < 2 && !problems.any (); ++streamKind)
    {
        const std::string kind = streamKind == 0 ? "short-read stream: " : "failing stream: ";
        IPtr<CMVXStravelVST3> processor = owned (new CMVXStravelVST3 ());   // no preset storage
        processor->initialize (&hostContext ());

        tresult result = kResultFalse;
        if (streamKind == 0)
            result = processor->setState (Morvane::Host::memoryStreamWith (bytes));
        else
            result = processor->setState (owned (new Morvane::Host::StrictReadStream (bytes)));
        problems.expect (result == (size >= kStateBytes ? kResultOk : kResultFalse),
                         kind + "setState result does not match the stream length");

        IPtr<MemoryStream> written = owned (new MemoryStream ());
        problems.expect (processor->getState (written) == kResultOk, kind + "getState failed");
        const std::vector<float> values = Morvane::Host::floatsOf (Morvane::Host::bytesOf (*written));
        problems.expect (values.size () == 8, kind + "getState did not write eight values");
        for (float value : values)
            problems.expect (isUnitValue (value), kind + "getState wrote a value outside 0..1");

        problems.expect (processSineBlocks (*processor, *processor, 1, 128), kind + "output not finite");
        processor->terminate ();
    }
    return problems.text ();
}

} // namespace OvermoorFuzz
