# quiv: everything from a fresh machine.
#   make test    install what is missing, build all three worlds, run every test
#   make demo    build the example installer, install it under Wine, show the result
#   make bench   build the benchmark payload and print the comparison table

BUILD  := build
NATIVE := $(BUILD)/native
WIN64  := $(BUILD)/win64
WIN32  := $(BUILD)/win32
CMAKE_GEN := -G Ninja
# With a compiler cache, paths below the checkout are hashed relative to it, so checkouts share.
export CCACHE_BASEDIR := $(CURDIR)

.PHONY: all deps build native win64 win32 test demo bench clean

all: build

deps:
	@tools/install-deps

win64: deps
	@cmake -S . -B $(WIN64) $(CMAKE_GEN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
	@cmake --build $(WIN64)

win32: deps
	@cmake -S . -B $(WIN32) $(CMAKE_GEN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=MinSizeRel -DQUIV_WIN_TESTS=OFF >/dev/null
	@cmake --build $(WIN32)

native: deps
	@cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DQUIV_WIN64_DIR=$(abspath $(WIN64)) -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
	@cmake --build $(NATIVE)

build: win64 win32 native
	@ls -l $(WIN64)/qsx.exe $(WIN32)/qsx.exe 2>/dev/null | awk '{print "engine", $$NF, $$5, "bytes"}'

test: build
	@cd $(NATIVE) && ctest --output-on-failure -j2

demo: build
	@tools/demo

bench: deps
	@bench/run

clean:
	rm -rf $(BUILD)
