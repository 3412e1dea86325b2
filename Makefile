# The two commands of the README: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test build clang-build deps test-deps configure bench pictures clean

run: deps build
	./$(BUILD_DIR)/gearmesh

# The suite runs on the g++ build (asserts compiled out), then once more with the
# asserts on, on a clang++ Debug build, leaving out the window tests (label e2e).
test: test-deps build clang-build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	cd $(BUILD_DIR)-clang && ctest --output-on-failure -j $(JOBS) -LE e2e

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

clang-build:
	CXX=clang++ CC=clang cmake -S . -B $(BUILD_DIR)-clang -DCMAKE_BUILD_TYPE=Debug
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

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-clang
