// libFuzzer target for the table descriptor reader: any bytes are read as a descriptor; each
// must give a sound descriptor or a StoreError telling it damaged, never a crash or a hang.
//   cmake -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DMX_FUZZ=ON
//   ninja -C build-fuzz mx_descriptor_fuzzer && build-fuzz/mx_descriptor_fuzzer -max_total_time=60
#include "tablestore/StoreError.h"
#include "tablestore/TableDescriptor.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const mx::TableDescriptor d = mx::TableDescriptor::parse(bytes, QStringLiteral("T.Idx"));
        if (d.fields.empty() || d.fields.size() > std::size_t(mx::TableDescriptor::kMaxFields))
            std::abort();
        for (const mx::FieldDef& f : d.fields)
            if (f.name.isEmpty() || f.size < 0 || f.size > mx::TableDescriptor::kMaxFieldSize)
                std::abort();
        // What was read is written back as the same descriptor.
        const mx::TableDescriptor again = mx::TableDescriptor::parse(d.toBytes(), QStringLiteral("T.Idx"));
        if (again.fields.size() != d.fields.size())
            std::abort();
        for (std::size_t i = 0; i < d.fields.size(); ++i)
            if (again.fields[i].type != d.fields[i].type || again.fields[i].size != d.fields[i].size)
                std::abort();
    } catch (const mx::StoreError& e) {
        if (e.cause() != mx::StoreError::Cause::Damaged || e.file() != QLatin1String("T.Idx"))
            std::abort();
    }
    return 0;
}
