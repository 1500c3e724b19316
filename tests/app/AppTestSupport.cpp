#include "tests/app/AppTestSupport.h"

namespace apptest {

CKorvelApp& App()
{
    static CKorvelApp app;
    return app;
}

} // namespace apptest
