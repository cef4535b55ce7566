#include "app/application.h"

namespace zv {

Application& App() {
    static Application app;
    return app;
}

}  // namespace zv
