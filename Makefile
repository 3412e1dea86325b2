# The commands of the README: `make run` and `make test`, and for Windows
# `make windows`, `make windows-test` and `make windows-zip`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

WIN_DIR := build-windows

.PHONY: run test build clang-build deps test-deps configure bench pictures clean \
        windows windows-test windows-zip

run: deps build
	./$(BUILD_DIR)/gearmesh

# The suite runs on the g++ build; the clang++ build only has to compile cleanly.
test: test-deps build clang-build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

clang-build:
	@[ -f $(BUILD_DIR)-clang/CMakeCache.txt ] || CXX=clang++ CC=clang cmake -S . -B $(BUILD_DIR)-clang -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR)-clang -j $(JOBS)

configure:
	@[ -f $(BUILD_DIR)/CMakeCache.txt ] || cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

deps:
	@bash scripts/install-deps.sh

test-deps:
	@bash scripts/install-deps.sh test

bench: test-deps build
	bash scripts/run-benchmark.sh $(BUILD_DIR)

pictures: test-deps build
	bash scripts/make-pictures.sh $(BUILD_DIR)

# gearmesh.exe, cross-built; freeglut and GoogleTest are built once into $(WIN_DIR)/deps.
windows:
	@JOBS=$(JOBS) bash scripts/build-windows.sh

# Checks gearmesh.exe under Wine against the Linux program's console output.
windows-test: test-deps build windows
	python3 -B tests/windows/check_wine.py $(WIN_DIR) $(BUILD_DIR)/gearmesh

# What a teacher copies onto the classroom PCs. The text gets Windows line ends and
# a UTF-8 byte order mark, without which older Notepads read it in the code page.
windows-zip: windows
	rm -rf $(WIN_DIR)/zip $(WIN_DIR)/gearmesh-windows.zip
	mkdir -p $(WIN_DIR)/zip/gearmesh
	cp $(WIN_DIR)/gearmesh.exe docs/view1.png docs/view2.png docs/view3.png docs/view4.png \
	   $(WIN_DIR)/zip/gearmesh/
	{ printf '\357\273\277'; sed 's/\r*$$/\r/' docs/windows-start.txt; } \
	  > $(WIN_DIR)/zip/gearmesh/windows-start.txt
	cd $(WIN_DIR)/zip && zip -q -X -r ../gearmesh-windows.zip gearmesh
	@ls -l $(WIN_DIR)/gearmesh-windows.zip

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-clang $(WIN_DIR)
