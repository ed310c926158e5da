# The two commands of the README. Everything else lives in tools/.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=

.PHONY: run test build deps package

run: build
	@tools/run.sh $(BUILD_DIR)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

package: build
	@cd $(BUILD_DIR) && cpack -G DEB

build: deps
	@[ -f $(BUILD_DIR)/build.ninja ] || cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS)
	@cmake --build $(BUILD_DIR)

deps:
	@tools/install-deps.sh
