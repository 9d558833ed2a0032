// VlText: a typed input box for forms. The whole public interface.
#pragma once

#define VLTEXT_VERSION_MAJOR 0
#define VLTEXT_VERSION_MINOR 1

#include "vltext/data.h"
#include "vltext/error.h"
#include "vltext/form.h"
#include "vltext/format.h"
#include "vltext/input.h"
#include "vltext/pages.h"
#include "vltext/picture.h"
#include "vltext/store.h"
#include "vltext/value.h"
