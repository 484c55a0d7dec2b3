# The commands a newcomer needs. Everything else is plain CMake.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all deps configure build test demo clean format

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: build
	@bash scripts/demo.sh $(BUILD)

clean:
	rm -rf $(BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# The long fault-injection run; writes docs/reliability.md (needs root for tmpfs mounts).
soak: build
	bash scripts/soak.sh $(BUILD)

# The dialog: start it (under Wine on Linux), or take pictures of it on a virtual display.
.PHONY: run screenshots
run: build
	@bash scripts/run-gui.sh $(BUILD)

screenshots: build
	@bash scripts/gui-screenshots.sh $(BUILD)

# The Windows build, cross-compiled with MinGW-w64 for 32-bit Windows: compiles and links, runs nothing.
.PHONY: mingw
mingw: build
	@bash scripts/check-mingw.sh $(BUILD)
